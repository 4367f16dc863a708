#pragma once

#include "geometry/Vector3.hpp"
#include "model/Model.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

// Pi as the generator's shapes, the penguin and the pictures all take it, as a float.
inline constexpr float kPi = 3.14159265358979f;

// The generator's own mesh records: what the level and the penguin are built from before they are
// turned into Model records for the 3DS writer. Faces wind counter-clockwise seen from the side
// their surface faces, which is what the game's vertex normals assume.

struct MaterialSpec {
    std::string name;
    std::string textureFile; // empty for a plain coloured material
    std::uint8_t colour[3];  // diffuse red, green, blue; tints the texture in the level's lists
};

struct MeshPart {
    std::string family; // the object family the part belongs to; name is family plus a number
    std::string name;
    int material = 0;
    std::vector<Vector3> vertices;
    std::vector<TexCoord> texCoords; // one per vertex; all zero for untextured parts
    std::vector<std::array<std::uint16_t, 3>> triangles;
};

// How a surface is mapped: s and t are the position's components along two world directions,
// divided by the size of one texture tile, plus offsets. Sizes in world units, so neighbouring
// surfaces that share a map continue each other's pattern.
struct UvMap {
    Vector3 sAxis;
    Vector3 tAxis;
    float sTile;
    float tTile;
    float sOffset = 0.0f;
    float tOffset = 0.0f;
};

TexCoord MapPoint(const UvMap& map, Vector3 p);

// A collection of parts. Parts are split before they grow past a face limit, so that every object
// stays far inside the 65535 vertices and faces a 3DS object can hold.
class Scene {
  public:
    int AddMaterial(const std::string& name, const std::string& textureFile, std::uint8_t r, std::uint8_t g,
                    std::uint8_t b);
    // The part to add the next primitive to, for an object family of one material; starts a fresh
    // numbered part when the current one has reached the face limit.
    MeshPart& Part(const std::string& family, int material);

    std::vector<MaterialSpec> materials;
    std::deque<MeshPart> parts; // a deque: references to parts stay valid while others are added
    int faceLimit = 1600;
};

// Emits the convex polygon p[0..count) as a triangle fan, with one texture coordinate per corner
// taken from map. The winding is turned round when needed so the face's normal points along
// facing; triangles of (nearly) zero area are left out.
void AddPolygon(MeshPart& part, const Vector3* p, int count, Vector3 facing, const UvMap& map);
// Ends the tool with a message unless part can take count more vertices (a 3DS object holds 65,535).
void CheckVertexRoom(const MeshPart& part, std::size_t count);
// Triangulates the polygon made of part's vertices from base to the last as a fan from base,
// leaving out triangles with no area.
void AddFan(MeshPart& part, std::size_t base);
void AddQuad(MeshPart& part, Vector3 a, Vector3 b, Vector3 c, Vector3 d, Vector3 facing, const UvMap& map);

// (b - a) x (c - a): points toward a viewer who sees a, b, c counter-clockwise.
Vector3 FaceNormal(Vector3 a, Vector3 b, Vector3 c);

int TotalTriangles(const Scene& scene);
