#pragma once

#include "tools/content/Mesh.hpp"

// The level: a brick church laid out around the game's fixed places. The player starts at the
// west end looking east (toward -z) down a nave with pews and two arcades; a screen at z = -445
// has an open archway (x -110 .. 70, y -40 .. 40); the choir ends in a wall whose face is at
// z = -865 with a doorway of the same size that the second door closes, the switch beside it;
// beyond lies the sanctuary with the altar. The floor is at y = -40.
namespace church {

inline constexpr float kFloorY = -40.0f;
inline constexpr float kNaveAxisX = -20.0f;       // the archway and the doorway are centred on it
inline constexpr float kScreenFrontZ = -445.0f;   // the screen's nave face; it is 25 deep
inline constexpr float kDoorWallFrontZ = -864.6f; // a hair in front of the door so the risen door hides
inline constexpr float kDoorWallBackZ = -885.0f;
inline constexpr float kPewTopY = -10.0f; // above -15 stops the walking sphere; a jump of 5 clears it
// Pews: rows kPewPitch apart leave gaps (kPewPitch - kPewDepth = 46) wider than the penguin's
// collision sphere (30 across), so a running jump over one row can come down between two.
inline constexpr int kPewRows = 5;
inline constexpr float kFirstPewFrontZ = -84.0f;
inline constexpr float kPewDepth = 24.0f;
inline constexpr float kPewPitch = 70.0f;
inline constexpr float kStepTopY = -28.0f; // below -15: the sanctuary steps never touch the sphere
// The camera circles the penguin at one height; the penguin's sphere (radius 15 round y = 0, a jump
// lifts it 12 at most) reaches from -15 to 27.
inline constexpr float kEyeY = 10.0f;
inline constexpr float kSphereLowY = -15.0f;
inline constexpr float kSphereHighY = 27.0f;

} // namespace church

// Fills scene with the church's materials and objects, its flat surfaces cut into cells of at most
// cell units. The church the game ships has whole faces: the octree fit cuts every flat face along
// the planes of the game's octree, so each lies in one cube and the collision query finds it
// whatever its size, and every further triangle costs the game work each frame it is drawn. The
// benchmark level asks for small cells (kBenchmarkCell), to be heavy in geometry.
inline constexpr float kWholeFaces = 10000.0f;
inline constexpr float kBenchmarkCell = 40.0f;
void BuildChurch(Scene& scene, float cell = kWholeFaces);
