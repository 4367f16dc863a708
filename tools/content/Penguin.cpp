#include "tools/content/Penguin.hpp"

#include "tools/content/Shapes.hpp"

#include <cmath>
#include <map>

namespace {

struct ProfilePoint {
    float y;
    float r;
};

// The outline of body and head from the bottom pole to the crown: an egg-shaped body, a slight
// neck and a round head.
constexpr ProfilePoint kProfile[] = {
    {-38.5f, 0.0f},  {-38.0f, 4.5f},  {-36.5f, 8.5f},  {-34.0f, 11.5f}, {-30.0f, 13.2f}, {-25.0f, 13.9f},
    {-20.0f, 13.7f}, {-15.0f, 12.6f}, {-11.0f, 10.9f}, {-7.5f, 9.0f},   {-5.0f, 8.0f},   {-2.5f, 8.1f},
    {0.0f, 8.3f},    {2.5f, 7.9f},    {5.0f, 6.8f},    {7.0f, 5.0f},    {8.3f, 2.8f},    {9.0f, 0.0f},
};
constexpr int kProfileCount = sizeof kProfile / sizeof kProfile[0];
// The penguin is drawn vertex by vertex every frame: columns and rings only where they show.
constexpr float kWidthScale = 0.72f; // the outline's radii, narrowed to a penguin's slim build
constexpr float kDepthScale = 0.9f;  // and a little flatter front to back than side to side

// The coat: a white front and a yellow patch on each side of the neck (seen from behind too), black
// elsewhere. Each patch is an ellipse over the angle round the body (0 straight ahead, pi at the
// back) and the height; each ring of the body puts its own columns along the patches' edges, so the
// edges are smooth curves in every view rather than steps of the grid.
enum class Coat { Black, White, Yellow };

struct Patch {
    float angleCentre, angleHalf, yCentre, yHalf;
    // The half width of the patch, in angle, on the ring at height y (0 off the patch).
    float HalfAt(float y) const {
        const float v = (y - yCentre) / yHalf;
        return v * v < 1.0f ? angleHalf * std::sqrt(1.0f - v * v) : 0.0f;
    }
};
constexpr Patch kBelly{0.0f, 1.2f, -22.5f, 15.5f};
constexpr Patch kCollar{1.45f, 0.6f, -3.5f, 6.0f};

// Columns of one half of a ring, from the front round to the back: the belly's half, black, the
// collar, black. The two patches never meet (the belly is narrow where the collar starts).
struct Band {
    Coat coat;
    int columns;
};
constexpr Band kBands[] = {{Coat::White, 6}, {Coat::Black, 3}, {Coat::Yellow, 6}, {Coat::Black, 5}};
constexpr int HalfColumns() {
    int columns = 0;
    for (const Band& band : kBands) {
        columns += band.columns;
    }
    return columns;
}
constexpr int kHalfColumns = HalfColumns();
constexpr int kAround = 2 * kHalfColumns; // columns round a ring: the two halves

// The angles of the half ring at height y, kHalfColumns + 1 of them from 0 to pi.
std::vector<float> HalfRingAngles(float y) {
    const float bellyEnd = kBelly.HalfAt(y);
    const float collarHalf = kCollar.HalfAt(y);
    const float edges[5] = {0.0f, bellyEnd, kCollar.angleCentre - collarHalf,
                            kCollar.angleCentre + collarHalf, kPi};
    std::vector<float> angles;
    for (int band = 0; band < 4; ++band) {
        for (int k = 0; k < kBands[band].columns; ++k) {
            const float f = static_cast<float>(k) / static_cast<float>(kBands[band].columns);
            angles.push_back(edges[band] + (edges[band + 1] - edges[band]) * f);
        }
    }
    angles.push_back(kPi);
    return angles;
}

// The coat of column k of a whole ring (kAround columns, the right half first).
Coat ColumnCoat(int k) {
    int inHalf = k < kHalfColumns ? k : kAround - 1 - k;
    for (const Band& band : kBands) {
        if (inHalf < band.columns) {
            return band.coat;
        }
        inHalf -= band.columns;
    }
    return Coat::Black;
}

// Adds the triangles (a, b, c) of a shared-vertex grid to the part of their coat; each part keeps
// only the vertices its own faces use.
class CoatSplitter {
  public:
    CoatSplitter(Scene& scene, int black, int white, int yellow)
        : scene_(scene), material_{black, white, yellow} {}

    void Add(const std::vector<Vector3>& points, int a, int b, int c, bool reverse, Coat which) {
        if (Length(FaceNormal(points[a], points[b], points[c])) < 1e-6f) {
            return; // a column of zero width, where a patch has not begun
        }
        const int coat = static_cast<int>(which);
        MeshPart& part = scene_.Part(kNames[coat], material_[coat]);
        std::map<int, std::uint16_t>& index = index_[coat];
        auto at = [&](int q) {
            auto found = index.find(q);
            if (found != index.end()) {
                return found->second;
            }
            const auto fresh = static_cast<std::uint16_t>(part.vertices.size());
            part.vertices.push_back(points[q]);
            part.texCoords.push_back(TexCoord{0.0f, 0.0f});
            index[q] = fresh;
            return fresh;
        };
        const std::uint16_t ia = at(a);
        const std::uint16_t ib = at(b);
        const std::uint16_t ic = at(c);
        if (reverse) {
            part.triangles.push_back({ia, ic, ib});
        } else {
            part.triangles.push_back({ia, ib, ic});
        }
    }

  private:
    static constexpr const char* kNames[3] = {"Back", "Belly", "Cheeks"};
    Scene& scene_;
    int material_[3];
    std::map<int, std::uint16_t> index_[3];
};

void AddBody(Scene& scene, int black, int white, int yellow) {
    // The outline's points, and between two of them a further ring where the collar's edges run:
    // a midpoint adds nothing to the outline (it lies on the straight segment), only to the
    // collar's curves, whose few rings would otherwise show as steps.
    std::vector<ProfilePoint> rings;
    for (int i = 0; i + 1 < kProfileCount; ++i) {
        rings.push_back(kProfile[i]);
        const bool collar = kProfile[i + 1].y > kCollar.yCentre - kCollar.yHalf &&
                            kProfile[i].y < kCollar.yCentre + kCollar.yHalf;
        if (collar) {
            rings.push_back(ProfilePoint{(kProfile[i].y + kProfile[i + 1].y) * 0.5f,
                                         (kProfile[i].r + kProfile[i + 1].r) * 0.5f});
        }
    }
    rings.push_back(kProfile[kProfileCount - 1]);
    std::vector<Vector3> points;
    for (const ProfilePoint& ring : rings) {
        const std::vector<float> half = HalfRingAngles(ring.y);
        for (int k = 0; k < kAround; ++k) {
            // The right half turns from the front (-z) toward +x; the left half mirrors it.
            const float angle = k < kHalfColumns ? half[k] : -half[kAround - k];
            const float r = ring.r * kWidthScale;
            points.push_back(Vector3(r * std::sin(angle), ring.y, -r * kDepthScale * std::cos(angle)));
        }
    }
    // Rings go up and the angle turns from -z toward +x, which seen from outside is clockwise:
    // every quad is wound the other way round.
    CoatSplitter splitter(scene, black, white, yellow);
    const int rows = static_cast<int>(rings.size()) - 1;
    for (int r = 0; r < rows; ++r) {
        for (int k = 0; k < kAround; ++k) {
            const int a = r * kAround + k;
            const int b = r * kAround + (k + 1) % kAround;
            const int c = (r + 1) * kAround + (k + 1) % kAround;
            const int d = (r + 1) * kAround + k;
            // The quad's normal from its diagonals: one of its triangles may have no area.
            const Vector3 n = CrossProduct(points[c] - points[a], points[d] - points[b]);
            const Vector3 out = (points[a] + points[c]) * 0.5f - Vector3(0.0f, points[a].y, 0.0f);
            const bool reverse = DotProduct(n, out) < 0.0f;
            splitter.Add(points, a, b, c, reverse, ColumnCoat(k));
            splitter.Add(points, a, c, d, reverse, ColumnCoat(k));
        }
    }
}

// An ellipsoid with radii (rx, ry, rz), leaning by tilt radians about the z axis.
void AddEllipsoid(MeshPart& part, Vector3 centre, Vector3 radii, float tilt, int rows, int cols) {
    std::vector<Vector3> points;
    std::vector<TexCoord> uvs;
    const float c = std::cos(tilt);
    const float s = std::sin(tilt);
    for (int r = 0; r <= rows; ++r) {
        const float polar = kPi * static_cast<float>(r) / static_cast<float>(rows);
        for (int k = 0; k <= cols; ++k) {
            const float angle = 2.0f * kPi * static_cast<float>(k) / static_cast<float>(cols);
            const float x = radii.x * std::sin(polar) * std::sin(angle);
            const float y = -radii.y * std::cos(polar);
            const float z = radii.z * std::sin(polar) * std::cos(angle);
            points.push_back(Vector3(centre.x + c * x - s * y, centre.y + s * x + c * y, centre.z + z));
            uvs.push_back(TexCoord{0.0f, 0.0f});
        }
    }
    AddSmoothGrid(part, points, uvs, rows, cols, centre);
}

// A cone from a base circle around base, radius radius, in the plane across axis, to tip.
void AddCone(MeshPart& part, Vector3 base, Vector3 tip, float radius, float flatten, int cols) {
    std::vector<Vector3> points;
    std::vector<TexCoord> uvs;
    for (int r = 0; r <= 1; ++r) {
        for (int k = 0; k <= cols; ++k) {
            const float angle = 2.0f * kPi * static_cast<float>(k) / static_cast<float>(cols);
            const Vector3 rim =
                base + Vector3(radius * std::cos(angle), radius * flatten * std::sin(angle), 0.0f);
            points.push_back(r == 0 ? rim : tip);
            uvs.push_back(TexCoord{0.0f, 0.0f});
        }
    }
    AddSmoothGrid(part, points, uvs, 1, cols, base + (tip - base) * 0.3f);
}

} // namespace

void BuildPenguin(Scene& scene) {
    const int black = scene.AddMaterial("PenguinBlack", "", 28, 30, 40);
    const int white = scene.AddMaterial("PenguinWhite", "", 226, 226, 218);
    const int yellow = scene.AddMaterial("PenguinYellow", "", 236, 168, 30);
    const int orange = scene.AddMaterial("PenguinOrange", "", 240, 120, 20);
    const int eyeWhite = scene.AddMaterial("PenguinEye", "", 255, 255, 255);
    AddBody(scene, black, white, yellow);
    // Flippers hang at the sides, leaning out a little at the bottom.
    AddEllipsoid(scene.Part("Flippers", black), Vector3(-10.0f, -19.0f, 0.5f), Vector3(1.6f, 11.0f, 4.5f),
                 0.22f, 8, 8);
    AddEllipsoid(scene.Part("Flippers", black), Vector3(10.0f, -19.0f, 0.5f), Vector3(1.6f, 11.0f, 4.5f),
                 -0.22f, 8, 8);
    AddCone(scene.Part("Beak", orange), Vector3(0.0f, 1.0f, -4.5f), Vector3(0.0f, -0.5f, -12.5f), 2.0f, 0.7f,
            12);
    AddEllipsoid(scene.Part("Feet", orange), Vector3(-4.2f, -38.8f, -3.5f), Vector3(3.2f, 1.2f, 6.0f), 0.0f,
                 5, 10);
    AddEllipsoid(scene.Part("Feet", orange), Vector3(4.2f, -38.8f, -3.5f), Vector3(3.2f, 1.2f, 6.0f), 0.0f, 5,
                 10);
    // The eyes' whites come last: the game draws the doors and the switch right after the penguin
    // with whatever colour and normal its last vertex left (white, and the eye's top pole facing up),
    // so the blocks show their textures untinted and lit.
    for (float side : {-1.0f, 1.0f}) {
        AddEllipsoid(scene.Part("Pupils", black), Vector3(side * 2.75f, 3.1f, -5.2f),
                     Vector3(0.7f, 0.7f, 0.4f), 0.0f, 4, 6);
    }
    for (float side : {-1.0f, 1.0f}) {
        AddEllipsoid(scene.Part("Eyes", eyeWhite), Vector3(side * 2.6f, 3.0f, -4.3f),
                     Vector3(1.3f, 1.3f, 1.0f), 0.0f, 5, 8);
    }
}
