#include "tools/content/Church.hpp"

#include "tools/content/Shapes.hpp"

#include <cmath>

namespace {

using namespace church;

constexpr Vector3 kUp(0.0f, 1.0f, 0.0f);
constexpr Vector3 kEast(0.0f, 0.0f, -1.0f); // down the nave, the way the player starts looking
constexpr Vector3 kPlusX(1.0f, 0.0f, 0.0f);
constexpr Vector3 kPlusZ(0.0f, 0.0f, 1.0f);

// Plan, in world units (the doorway is 80 high, so a metre is about 36 units).
constexpr float kWallTopY = 220.0f;
constexpr float kRidgeY = 310.0f;
constexpr float kWestInnerZ = 170.0f;   // inner face of the west wall, which faces -z
constexpr float kLeftArcadeX = -182.0f; // inner faces of the arcade (and choir) walls
constexpr float kRightArcadeX = 142.0f;
constexpr float kArcadeThickness = 16.0f;
constexpr float kLeftAisleX = -280.0f; // inner faces of the aisles' outer walls
constexpr float kRightAisleX = 240.0f;
constexpr float kAisleCeilingY = 130.0f;
constexpr float kScreenBackZ = -470.0f;
constexpr float kScreenTopY = 120.0f;
constexpr float kApseInnerZ = -1085.0f;
constexpr float kArchSpringY = 80.0f;
constexpr float kArchPanelTopY = 140.0f;
constexpr float kDoorLeftX = -110.0f; // the doorway and the archway share these
constexpr float kDoorRightX = 70.0f;
constexpr float kDoorTopY = 40.0f;
// The choir stalls stand against the walls from z = -500 to -820; the sanctuary's steps run from
// wall to wall.
constexpr float kStallsWestZ = -500.0f;
constexpr float kStallsEastZ = -820.0f;
constexpr float kStallDepth = 30.0f;
constexpr float kLowerStepFrontZ = -950.0f;
constexpr float kUpperStepFrontZ = -975.0f;

// Arcade columns stand every 100 units along z, from z = 110 to -390.
constexpr int kColumnCount = 6;
constexpr float kFirstColumnZ = 110.0f;
constexpr float kColumnStep = 100.0f;
constexpr float kColumnRadius = 12.0f;

// The church's materials, and the largest cell its flat surfaces are cut into.
struct Materials {
    int brick, stone, floor, wood, roof, glass, clerestory, rose, carpet, gold, linen, candle;
    float cell;
};

WallCells Cells(const Materials& m) {
    return WallCells{m.cell, m.cell, m.cell, 40.0f};
}

Materials AddMaterials(Scene& scene, float cell) {
    Materials m;
    m.cell = cell;
    m.brick = scene.AddMaterial("Brick", "RedBrick.bmp", 255, 255, 255);
    m.stone = scene.AddMaterial("Stone", "STONE.BMP", 255, 255, 255);
    m.floor = scene.AddMaterial("FloorTiles", "FLOORTIL.BMP", 255, 255, 255);
    m.wood = scene.AddMaterial("Oak", "WOOD.BMP", 255, 255, 255);
    m.roof = scene.AddMaterial("RoofBoards", "ROOF.BMP", 255, 255, 255);
    m.glass = scene.AddMaterial("Glass", "GLASS.BMP", 255, 255, 255);
    m.clerestory = scene.AddMaterial("Clerestory", "CLEREST.BMP", 255, 255, 255);
    m.rose = scene.AddMaterial("RoseWindow", "ROSEWIN.BMP", 255, 255, 255);
    m.carpet = scene.AddMaterial("Carpet", "", 120, 22, 30);
    m.gold = scene.AddMaterial("Gold", "", 224, 178, 64);
    m.linen = scene.AddMaterial("Linen", "", 240, 236, 224);
    m.candle = scene.AddMaterial("Candle", "", 250, 244, 214);
    return m;
}

// Brick on the walls repeats every 180 x 80 units, the size of the second door, which shows the
// picture once, mirrored (the bond is symmetric, so that does not show). With s = (x + 110) / 180 on
// the door's wall the courses and joints of the door and of the wall around it line up.
UvMap BrickMap(Vector3 facing) {
    return WallMap(facing, 180.0f, 80.0f, 110.0f / 180.0f, 0.5f);
}
// A solid box resting on or against its neighbours: AddBox without the faces nobody sees. From the
// eye's one height the top of a box above it, or the bottom of one below it, shows only through the
// box itself; those out of the sphere's reach as well go, so collisions stay as they were.
void AddSolid(MeshPart& part, Vector3 lo, Vector3 hi, float tile, float cell, int faces = kBoxAll,
              float tileHeight = 0.0f) {
    const bool topHidden = hi.y > kEyeY && hi.y > kSphereHighY;
    const bool bottomHidden = lo.y < kEyeY && lo.y < kSphereLowY;
    const int hidden = (topHidden ? kBoxTop : 0) | (bottomHidden ? kBoxBottom : 0);
    AddBox(part, lo, hi, tile, cell, faces & ~hidden, tileHeight);
}

// The oak's picture is twice as long as it is high: every wooden box tiles it 60 x 30 units.
constexpr float kWoodGrain = 30.0f;

UvMap StoneMap(Vector3 facing) {
    return WallMap(facing, 60.0f, 60.0f);
}

// A window: the opening in the wall and a glass pane for each side the window is seen from, its
// picture stretched once over the pane. A pane faces its own side a quarter of the wall's depth in
// from that face, so the two panes of a window seen from both sides never share a plane.
// Which sides of a wall anyone inside the church can see: the outer face of an outside wall, or one
// behind the aisle's ceiling, is never drawn.
enum Seen { kSeenFront = 1, kSeenBack = 2, kSeenBoth = 3 };

void AddWindowPane(MeshPart& glass, const WallFrame& frame, const Opening& o, int sides) {
    for (int side : {kSeenFront, kSeenBack}) {
        if ((sides & side) == 0) {
            continue;
        }
        const Vector3 facing = side == kSeenFront ? frame.front : frame.front * -1.0f;
        const float depth = side == kSeenFront ? 0.25f : 0.75f;
        const Vector3 in = frame.front * (-frame.thickness * depth);
        const Vector3 p0 = frame.origin + frame.along * o.a0 + kUp * o.y0 + in;
        const Vector3 p1 = frame.origin + frame.along * o.a1 + kUp * o.y0 + in;
        const Vector3 p2 = frame.origin + frame.along * o.a1 + kUp * o.y1 + in;
        const Vector3 p3 = frame.origin + frame.along * o.a0 + kUp * o.y1 + in;
        // Seen from the front the along axis runs to the right when along x up = front; from the
        // back the picture shows mirrored, as through glass.
        const bool alongIsRight = DotProduct(CrossProduct(frame.along, kUp), frame.front) > 0.0f;
        UvMap map;
        map.sAxis = frame.along * (alongIsRight ? 1.0f : -1.0f);
        map.tAxis = kUp;
        map.sTile = o.a1 - o.a0;
        map.tTile = o.y1 - o.y0;
        const float aLeft = alongIsRight ? o.a0 : -o.a1;
        map.sOffset = -(DotProduct(frame.origin, map.sAxis) + aLeft) / map.sTile;
        map.tOffset = -o.y0 / map.tTile;
        AddQuad(glass, p0, p1, p2, p3, facing, map);
    }
}

void AddWallWithWindows(Scene& scene, const Materials& m, const WallFrame& frame, float a0, float a1,
                        float y0, float y1, const std::vector<Opening>& windows, int glass, int seen) {
    const UvMap front = BrickMap(frame.front);
    const UvMap back = BrickMap(frame.front * -1.0f);
    const int faces = ((seen & kSeenFront) ? kWallFront : 0) | ((seen & kSeenBack) ? kWallBack : 0);
    AddWall(scene.Part("Walls", m.brick), frame, a0, a1, y0, y1, windows, Cells(m), front, back,
            BrickMap(frame.front), faces);
    for (const Opening& o : windows) {
        AddWindowPane(scene.Part("Windows", glass), frame, o, seen);
    }
}

void AddFloors(Scene& scene, const Materials& m) {
    const UvMap tiles = FloorMap(80.0f, 80.0f);
    // The runner down the middle, lying just on the tiles, in two lengths (west and east edges).
    const float runnerX0 = -50.0f;
    const float runnerX1 = 10.0f;
    const float runners[2][2] = {{150.0f, -435.0f}, {-480.0f, -855.0f}};
    const auto tilesRect = [&](float x0, float x1, float zWest, float zEast) {
        if (x1 > x0 && zWest > zEast) {
            AddGridRect(scene.Part("Floor", m.floor), Vector3(x0, kFloorY, zWest), kPlusX, kEast, x1 - x0,
                        zWest - zEast, m.cell, m.cell, kUp, tiles);
        }
    };
    // Tiles only inside the walls and only where nothing covers them: none under the runner (but
    // for a margin that keeps the gap below its edge closed however low the eye looks across it).
    const float margin = 5.0f;
    const auto floor = [&](float x0, float x1, float zWest, float zEast) {
        for (const auto& runner : runners) {
            const float holeWest = std::fmin(zWest, runner[0] - margin);
            const float holeEast = std::fmax(zEast, runner[1] + margin);
            if (holeWest > holeEast) {
                tilesRect(x0, runnerX0 + margin, zWest, zEast);
                tilesRect(runnerX1 - margin, x1, zWest, zEast);
                tilesRect(runnerX0 + margin, runnerX1 - margin, zWest, holeWest);
                tilesRect(runnerX0 + margin, runnerX1 - margin, holeEast, zEast);
                return;
            }
        }
        tilesRect(x0, x1, zWest, zEast);
    };
    // The nave and aisles up to the screen's face, then the choir between the stalls and the
    // sanctuary up to the steps' front.
    floor(kLeftAisleX, kRightAisleX, kWestInnerZ, kScreenFrontZ);
    floor(kLeftArcadeX, kRightArcadeX, kScreenFrontZ, kStallsWestZ);
    floor(kLeftArcadeX + kStallDepth, kRightArcadeX - kStallDepth, kStallsWestZ, kStallsEastZ);
    floor(kLeftArcadeX, kRightArcadeX, kStallsEastZ, kLowerStepFrontZ);
    const UvMap none = FloorMap(100.0f, 100.0f);
    const float runnerY = kFloorY + 0.4f;
    for (const auto& runner : runners) {
        AddGridRect(scene.Part("Carpet", m.carpet), Vector3(runnerX0, runnerY, runner[0]), kPlusX, kEast,
                    runnerX1 - runnerX0, runner[0] - runner[1], m.cell, m.cell, kUp, none);
    }
}

// The two arcades of the nave, continued east as the solid walls of the choir and the sanctuary.
void AddArcades(Scene& scene, const Materials& m) {
    for (int side = 0; side < 2; ++side) {
        const bool left = side == 0;
        WallFrame frame;
        frame.origin = Vector3(left ? kLeftArcadeX : kRightArcadeX, 0.0f, 0.0f);
        frame.along = kEast; // a = -z
        frame.front = left ? kPlusX : kPlusX * -1.0f;
        frame.thickness = kArcadeThickness;
        const float firstA = -kFirstColumnZ;
        const float lastA = firstA + kColumnStep * (kColumnCount - 1);
        // West of the first column and east of the last one the wall is solid to the floor.
        AddWallWithWindows(scene, m, frame, -kWestInnerZ, firstA, kFloorY, kWallTopY, {}, m.glass, kSeenBoth);
        std::vector<Opening> east;
        for (float a : {540.0f, 660.0f, 780.0f, 950.0f, 1030.0f}) {
            east.push_back(Opening{a - 22.0f, a + 22.0f, 10.0f, 160.0f});
        }
        // Its outer face shows in the aisle only as far as the aisle's end wall.
        AddWallWithWindows(scene, m, frame, lastA, -kScreenFrontZ, kFloorY, kWallTopY, {}, m.glass,
                           kSeenBoth);
        AddWallWithWindows(scene, m, frame, -kScreenFrontZ, -kApseInnerZ, kFloorY, kWallTopY, east, m.glass,
                           kSeenFront);
        // Over the arches: the spandrels, then the clerestory with a window in each bay.
        std::vector<Opening> clerestory;
        for (int bay = 0; bay + 1 < kColumnCount; ++bay) {
            const float a0 = firstA + kColumnStep * bay;
            const float a1 = a0 + kColumnStep;
            AddArchPanel(scene.Part("Walls", m.brick), scene.Part("Arches", m.stone), frame, a0, a1,
                         kArchSpringY, kArchPanelTopY, 12, BrickMap(frame.front),
                         BrickMap(frame.front * -1.0f), StoneMap(kUp));
            clerestory.push_back(Opening{a0 + 32.0f, a1 - 32.0f, 150.0f, 208.0f});
        }
        AddWallWithWindows(scene, m, frame, firstA, lastA, kArchPanelTopY, kWallTopY, clerestory,
                           m.clerestory, kSeenFront);
        // Columns on the wall's centre line, with a plinth below and a capital under the arches.
        const float cx = frame.origin.x - frame.front.x * kArcadeThickness * 0.5f;
        for (int i = 0; i < kColumnCount; ++i) {
            const float cz = kFirstColumnZ - kColumnStep * i;
            AddSolid(scene.Part("Columns", m.stone), Vector3(cx - 16.0f, kFloorY, cz - 16.0f),
                     Vector3(cx + 16.0f, -30.0f, cz + 16.0f), 40.0f, m.cell, kBoxAll & ~kBoxBottom);
            AddCylinder(scene.Part("Columns", m.stone), cx, cz, -30.0f, 68.0f, kColumnRadius, 16, 1, 40.0f);
            AddSolid(scene.Part("Columns", m.stone), Vector3(cx - 15.0f, 68.0f, cz - 15.0f),
                     Vector3(cx + 15.0f, kArchSpringY, cz + 15.0f), 40.0f, m.cell);
        }
    }
}

// The outer walls of the two aisles, with a window in each bay, and the aisles' flat ceilings.
void AddAisles(Scene& scene, const Materials& m) {
    for (int side = 0; side < 2; ++side) {
        const bool left = side == 0;
        WallFrame frame;
        frame.origin = Vector3(left ? kLeftAisleX : kRightAisleX, 0.0f, 0.0f);
        frame.along = kEast;
        frame.front = left ? kPlusX : kPlusX * -1.0f;
        frame.thickness = 20.0f;
        std::vector<Opening> windows;
        for (int bay = 0; bay + 1 < kColumnCount; ++bay) {
            const float a = -kFirstColumnZ + kColumnStep * (bay + 0.5f);
            windows.push_back(Opening{a - 17.0f, a + 17.0f, 0.0f, 110.0f});
        }
        AddWallWithWindows(scene, m, frame, -kWestInnerZ, -kScreenFrontZ, kFloorY, kAisleCeilingY, windows,
                           m.glass, kSeenFront);
        const float x0 = left ? kLeftAisleX : kRightArcadeX + kArcadeThickness;
        const float x1 = left ? kLeftArcadeX - kArcadeThickness : kRightAisleX;
        AddGridRect(scene.Part("Ceiling", m.wood), Vector3(x0, kAisleCeilingY, kWestInnerZ), kPlusX, kEast,
                    x1 - x0, kWestInnerZ - kScreenFrontZ, m.cell, m.cell, kUp * -1.0f,
                    FloorMap(60.0f, 30.0f));
        // The aisle ends east in a wall in line with the screen.
        WallFrame end;
        end.origin = Vector3(0.0f, 0.0f, kScreenFrontZ);
        end.along = kPlusX;
        end.front = kPlusZ;
        end.thickness = kScreenFrontZ - kScreenBackZ;
        AddWallWithWindows(scene, m, end, x0, x1, kFloorY, kAisleCeilingY, {}, m.glass, kSeenFront);
    }
}

// A rectangle-and-gable end wall facing along front (+z or -z), spanning the nave's width.
void AddEndWall(Scene& scene, const Materials& m, float frontZ, Vector3 front, float thickness, float x0,
                float x1, const std::vector<Opening>& openings, int windowMaterial, int seen) {
    WallFrame frame;
    const bool facesPlusZ = front.z > 0.0f;
    // a runs to the right as seen from the front.
    frame.origin = Vector3(0.0f, 0.0f, frontZ);
    frame.along = facesPlusZ ? kPlusX : kPlusX * -1.0f;
    frame.front = front;
    frame.thickness = thickness;
    const float a0 = facesPlusZ ? x0 : -x1;
    const float a1 = facesPlusZ ? x1 : -x0;
    const bool backSeen = (seen & kSeenBack) != 0;
    AddWall(scene.Part("Walls", m.brick), frame, a0, a1, kFloorY, kWallTopY, openings, Cells(m),
            BrickMap(front), BrickMap(front * -1.0f), BrickMap(front),
            kWallFront | (backSeen ? kWallBack : 0));
    for (const Opening& o : openings) {
        if (o.y0 > kFloorY) {
            AddWindowPane(scene.Part("Windows", windowMaterial), frame, o, seen);
        }
    }
    // The gable up to the ridge, as wide as the roof.
    const Vector3 back = front * -thickness;
    const Vector3 g0(kLeftArcadeX - kArcadeThickness, kWallTopY, frontZ);
    const Vector3 g1(kRightArcadeX + kArcadeThickness, kWallTopY, frontZ);
    const Vector3 g2(kNaveAxisX, kRidgeY, frontZ);
    const Vector3 gable[3] = {g0, g1, g2};
    const Vector3 rear[3] = {g0 + back, g1 + back, g2 + back};
    AddPolygon(scene.Part("Walls", m.brick), gable, 3, front, BrickMap(front));
    if (backSeen) {
        AddPolygon(scene.Part("Walls", m.brick), rear, 3, front * -1.0f, BrickMap(front * -1.0f));
    }
}

void AddEndWalls(Scene& scene, const Materials& m) {
    // West: the entrance wall behind the player's start, with the main door set against it.
    AddEndWall(scene, m, kWestInnerZ, kPlusZ * -1.0f, 20.0f, -300.0f, 260.0f, {}, m.glass, kSeenFront);
    AddSolid(scene.Part("Doors", m.wood), Vector3(-60.0f, kFloorY, kWestInnerZ - 3.0f),
             Vector3(20.0f, 60.0f, kWestInnerZ), 60.0f, m.cell, kBoxBack,
             kWoodGrain); // the rest lies in the frame
    AddSolid(scene.Part("Trim", m.stone), Vector3(-72.0f, kFloorY, kWestInnerZ - 5.0f),
             Vector3(-60.0f, 72.0f, kWestInnerZ), 40.0f, m.cell, kBoxAll & ~kBoxFront & ~kBoxBottom);
    AddSolid(scene.Part("Trim", m.stone), Vector3(20.0f, kFloorY, kWestInnerZ - 5.0f),
             Vector3(32.0f, 72.0f, kWestInnerZ), 40.0f, m.cell, kBoxAll & ~kBoxFront & ~kBoxBottom);
    AddSolid(scene.Part("Trim", m.stone), Vector3(-60.0f, 60.0f, kWestInnerZ - 5.0f),
             Vector3(20.0f, 72.0f, kWestInnerZ), 40.0f, m.cell, kBoxTop | kBoxBottom | kBoxBack);

    // The wall of the second door, with a round window high above the doorway.
    const Opening doorway{kDoorLeftX, kDoorRightX, kFloorY, kDoorTopY};
    AddEndWall(scene, m, kDoorWallFrontZ, kPlusZ, kDoorWallFrontZ - kDoorWallBackZ, kLeftArcadeX,
               kRightArcadeX, {doorway, Opening{-52.0f, 12.0f, 148.0f, 212.0f}}, m.rose, kSeenBoth);
    // Pilasters and a lintel frame the doorway; the switch sits on a brass plate to its left.
    const float face = kDoorWallFrontZ;
    AddSolid(scene.Part("Trim", m.stone), Vector3(kDoorLeftX - 12.0f, kFloorY, face),
             Vector3(kDoorLeftX, kDoorTopY + 12.0f, face + 4.0f), 40.0f, m.cell,
             kBoxAll & ~kBoxBack & ~kBoxBottom);
    AddSolid(scene.Part("Trim", m.stone), Vector3(kDoorRightX, kFloorY, face),
             Vector3(kDoorRightX + 12.0f, kDoorTopY + 12.0f, face + 4.0f), 40.0f, m.cell,
             kBoxAll & ~kBoxBack & ~kBoxBottom);
    AddSolid(scene.Part("Trim", m.stone), Vector3(kDoorLeftX, kDoorTopY, face),
             Vector3(kDoorRightX, kDoorTopY + 12.0f, face + 4.0f), 40.0f, m.cell,
             kBoxTop | kBoxBottom | kBoxFront);
    AddSolid(scene.Part("Trim", m.gold), Vector3(-160.0f, -20.0f, face), Vector3(-136.0f, 4.0f, face + 0.4f),
             40.0f, m.cell, kBoxAll & ~kBoxBack);

    // East: the end of the sanctuary, with a rose window over the altar's cross.
    AddEndWall(scene, m, kApseInnerZ, kPlusZ, 20.0f, kLeftArcadeX - kArcadeThickness,
               kRightArcadeX + kArcadeThickness, {Opening{-62.0f, 22.0f, 132.0f, 216.0f}}, m.rose,
               kSeenFront);
}

// The screen between nave and choir: a wall up to y = 120 with the open archway in the middle,
// a cornice on top and a cross over the arch.
void AddScreen(Scene& scene, const Materials& m) {
    WallFrame frame;
    frame.origin = Vector3(0.0f, 0.0f, kScreenFrontZ);
    frame.along = kPlusX;
    frame.front = kPlusZ;
    frame.thickness = kScreenFrontZ - kScreenBackZ;
    const Opening arch{kDoorLeftX, kDoorRightX, kFloorY, kDoorTopY};
    AddWall(scene.Part("Walls", m.brick), frame, kLeftArcadeX, kRightArcadeX, kFloorY, kScreenTopY, {arch},
            Cells(m), BrickMap(kPlusZ), BrickMap(kPlusZ * -1.0f), BrickMap(kPlusZ), kWallFront | kWallBack);
    AddSolid(scene.Part("Trim", m.stone), Vector3(kLeftArcadeX, kScreenTopY, kScreenBackZ - 3.0f),
             Vector3(kRightArcadeX, kScreenTopY + 8.0f, kScreenFrontZ + 3.0f), 40.0f, m.cell,
             kBoxAll & ~kBoxLeft & ~kBoxRight);
    for (float zFace : {kScreenFrontZ, kScreenBackZ}) {
        const float z0 = zFace > kScreenBackZ ? zFace : zFace - 4.0f;
        const float z1 = z0 + 4.0f;
        const int skip = zFace > kScreenBackZ ? kBoxBack : kBoxFront;
        AddSolid(scene.Part("Trim", m.stone), Vector3(kDoorLeftX - 12.0f, kFloorY, z0),
                 Vector3(kDoorLeftX, kDoorTopY + 12.0f, z1), 40.0f, m.cell, kBoxAll & ~skip & ~kBoxBottom);
        AddSolid(scene.Part("Trim", m.stone), Vector3(kDoorRightX, kFloorY, z0),
                 Vector3(kDoorRightX + 12.0f, kDoorTopY + 12.0f, z1), 40.0f, m.cell,
                 kBoxAll & ~skip & ~kBoxBottom);
        AddSolid(scene.Part("Trim", m.stone), Vector3(kDoorLeftX, kDoorTopY, z0),
                 Vector3(kDoorRightX, kDoorTopY + 12.0f, z1), 40.0f, m.cell,
                 kBoxAll & ~skip & ~kBoxLeft & ~kBoxRight);
    }
    const float cz = (kScreenFrontZ + kScreenBackZ) * 0.5f;
    // The cross stands on the cornice; its arms are a little thinner than its post.
    AddSolid(scene.Part("Rood", m.gold), Vector3(kNaveAxisX - 3.0f, kScreenTopY + 8.0f, cz - 3.0f),
             Vector3(kNaveAxisX + 3.0f, kScreenTopY + 70.0f, cz + 3.0f), 40.0f, m.cell,
             kBoxAll & ~kBoxBottom);
    AddSolid(scene.Part("Rood", m.gold), Vector3(kNaveAxisX - 22.0f, kScreenTopY + 44.0f, cz - 2.5f),
             Vector3(kNaveAxisX + 22.0f, kScreenTopY + 50.0f, cz + 2.5f), 40.0f, m.cell);
}

// One pew: seat, back rest and two ends, its back rest toward +z (the people face the altar). Seat and
// back rest end against the end boards, and the seat against the back rest: those faces are hidden.
void AddPew(Scene& scene, const Materials& m, float x0, float x1, float zFront) {
    MeshPart& wood = scene.Part("Pews", m.wood);
    const float zBack = zFront + kPewDepth;
    const int between = kBoxAll & ~kBoxLeft & ~kBoxRight;
    AddSolid(wood, Vector3(x0 + 3.0f, -25.0f, zFront + 4.0f), Vector3(x1 - 3.0f, -22.0f, zBack - 3.0f), 60.0f,
             m.cell, between & ~kBoxFront, kWoodGrain);
    AddSolid(wood, Vector3(x0 + 3.0f, -34.0f, zBack - 3.0f), Vector3(x1 - 3.0f, kPewTopY, zBack), 60.0f,
             m.cell, between, kWoodGrain);
    AddSolid(wood, Vector3(x0, kFloorY, zFront), Vector3(x0 + 3.0f, kPewTopY, zBack), 60.0f, m.cell,
             kBoxAll & ~kBoxBottom, kWoodGrain);
    AddSolid(wood, Vector3(x1 - 3.0f, kFloorY, zFront), Vector3(x1, kPewTopY, zBack), 60.0f, m.cell,
             kBoxAll & ~kBoxBottom, kWoodGrain);
}

void AddFurniture(Scene& scene, const Materials& m) {
    // Rows of pews each side of the aisle; the aisle (x -75 .. 35) stays free.
    for (int row = 0; row < kPewRows; ++row) {
        const float zFront = kFirstPewFrontZ - kPewPitch * row;
        AddPew(scene, m, 35.0f, 130.0f, zFront);
        AddPew(scene, m, -170.0f, -75.0f, zFront);
    }
    // Choir stalls along both walls.
    for (int side = 0; side < 2; ++side) {
        const float wall = side == 0 ? kLeftArcadeX : kRightArcadeX;
        const float sign = side == 0 ? 1.0f : -1.0f;
        const float inner = wall + sign * kStallDepth;
        const Vector3 lo(std::fmin(wall, inner), kFloorY, kStallsEastZ);
        const Vector3 hi(std::fmax(wall, inner), -22.0f, kStallsWestZ);
        // Not the side against the wall.
        const int open = kBoxAll & ~kBoxBottom & ~(side == 0 ? kBoxLeft : kBoxRight);
        AddSolid(scene.Part("Stalls", m.wood), lo, hi, 60.0f, m.cell, open, kWoodGrain);
        const float backOuter = wall + sign * 6.0f;
        AddSolid(scene.Part("Stalls", m.wood), Vector3(std::fmin(wall, backOuter), -22.0f, kStallsEastZ),
                 Vector3(std::fmax(wall, backOuter), 12.0f, kStallsWestZ), 60.0f, m.cell, open, kWoodGrain);
    }
    // The sanctuary: two low steps, the altar with its cloth, candles and the cross on the wall.
    // The steps run from wall to wall: only their tops and fronts show, the upper one resting on the
    // lower one's level.
    AddSolid(scene.Part("Steps", m.stone), Vector3(kLeftArcadeX, kFloorY, kUpperStepFrontZ),
             Vector3(kRightArcadeX, -34.0f, kLowerStepFrontZ), 60.0f, m.cell, kBoxTop | kBoxFront);
    AddSolid(scene.Part("Steps", m.stone), Vector3(kLeftArcadeX, -34.0f, kApseInnerZ),
             Vector3(kRightArcadeX, kStepTopY, kUpperStepFrontZ), 60.0f, m.cell, kBoxTop | kBoxFront);
    AddSolid(scene.Part("Altar", m.stone), Vector3(-70.0f, kStepTopY, -1045.0f),
             Vector3(30.0f, -3.0f, -1005.0f), 60.0f, m.cell,
             kBoxAll & ~kBoxBottom & ~kBoxTop); // the cloth covers its top
    AddSolid(scene.Part("Cloth", m.linen), Vector3(-73.0f, -3.0f, -1048.0f), Vector3(33.0f, 0.0f, -1002.0f),
             60.0f, m.cell, kBoxAll & ~kBoxBottom);
    AddSolid(scene.Part("Cloth", m.carpet), Vector3(-50.0f, -24.0f, -1005.0f),
             Vector3(10.0f, -3.0f, -1004.0f), 60.0f, m.cell, kBoxAll & ~kBoxBack);
    for (float x : {-58.0f, 18.0f}) {
        AddCylinder(scene.Part("Candles", m.gold), x, -1025.0f, 0.0f, 14.0f, 2.0f, 8, 1, 20.0f);
        AddDisc(scene.Part("Candles", m.gold), x, 0.2f, -1025.0f, 5.0f, 10, true, 20.0f);
        AddCylinder(scene.Part("Candles", m.candle), x, -1025.0f, 14.0f, 26.0f, 1.4f, 8, 1, 20.0f);
        AddDisc(scene.Part("Candles", m.candle), x, 26.0f, -1025.0f, 1.4f, 8, true, 20.0f);
    }
    const float crossZ = kApseInnerZ;
    AddSolid(scene.Part("Rood", m.gold), Vector3(kNaveAxisX - 4.0f, 20.0f, crossZ),
             Vector3(kNaveAxisX + 4.0f, 125.0f, crossZ + 3.0f), 40.0f, m.cell, kBoxAll & ~kBoxBack);
    AddSolid(scene.Part("Rood", m.gold), Vector3(kNaveAxisX - 30.0f, 88.0f, crossZ),
             Vector3(kNaveAxisX + 30.0f, 96.0f, crossZ + 2.5f), 40.0f, m.cell, kBoxAll & ~kBoxBack);
}

// The open timber roof: two boarded slopes from the wall tops to the ridge, over the whole length,
// with tie beams and king posts across the nave. Only the boards' undersides: nobody sees the roof
// from outside.
void AddRoof(Scene& scene, const Materials& m) {
    const float z0 = 190.0f;
    const float z1 = kApseInnerZ - 20.0f;
    for (int side = 0; side < 2; ++side) {
        const float eaveX = side == 0 ? kLeftArcadeX - kArcadeThickness : kRightArcadeX + kArcadeThickness;
        const Vector3 eave(eaveX, kWallTopY, z0);
        const Vector3 ridge(kNaveAxisX, kRidgeY, z0);
        const Vector3 slope = Normalized(ridge - eave);
        const float length = Length(ridge - eave);
        const Vector3 inward = Normalized(CrossProduct(slope, kPlusZ)) * (side == 0 ? 1.0f : -1.0f);
        UvMap map;
        map.sAxis = slope;
        map.tAxis = kEast;
        map.sTile = 70.0f;
        map.tTile = 70.0f;
        AddGridRect(scene.Part("Roof", m.roof), eave, slope, kEast, length, z0 - z1, m.cell, m.cell,
                    inward.y < 0.0f ? inward : inward * -1.0f, map);
    }
    for (float z = kFirstColumnZ; z > kApseInnerZ + 50.0f; z -= 140.0f) {
        AddSolid(scene.Part("Beams", m.wood), Vector3(kLeftArcadeX, kWallTopY - 10.0f, z - 5.0f),
                 Vector3(kRightArcadeX, kWallTopY, z + 5.0f), 60.0f, m.cell,
                 kBoxAll & ~(kBoxLeft | kBoxRight), kWoodGrain);
        AddSolid(scene.Part("Beams", m.wood), Vector3(kNaveAxisX - 4.0f, kWallTopY, z - 4.0f),
                 Vector3(kNaveAxisX + 4.0f, kRidgeY - 4.0f, z + 4.0f), 60.0f, m.cell, kBoxAll & ~kBoxBottom,
                 kWoodGrain);
    }
}

} // namespace

void BuildChurch(Scene& scene, float cell) {
    const Materials m = AddMaterials(scene, cell);
    AddFloors(scene, m);
    AddArcades(scene, m);
    AddAisles(scene, m);
    AddEndWalls(scene, m);
    AddScreen(scene, m);
    AddFurniture(scene, m);
    AddRoof(scene, m);
}
