#include "play/SolidBlocks.hpp"

#include "geometry/Contact.hpp"
#include "geometry/PathTests.hpp"

const Vector3 switchSize(4.0f, 4.0f, 5.0f);
const Vector3 secondDoorSize(180.0f, 80.0f, 5.0f);

namespace {

bool SinksIntoBox(Vector3 before, Vector3 after, float radius, Vector3 low, Vector3 size) {
    return SinksDeeper(BoxDistance(before, low, size), BoxDistance(after, low, size), radius);
}

bool HeadsIntoTouchedBox(Vector3 centre, float radius, Vector3 move, Vector3 low, Vector3 size) {
    return SphereTouchesBox(centre, radius, low, size) && MoveHeadsIntoBox(centre, move, low, size);
}

// Advance, unless the step closes on one of the spheres: their centres nearer the moved box than
// before and within radius of it.
void AdvanceUnlessClosing(MovingBlock& block, Vector3 size, const Vector3* centres, int count, float radius) {
    MovingBlock stepped = block;
    stepped.Advance();
    for (int k = 0; k < count; ++k) {
        if (SphereTouchesBox(centres[k], radius, stepped.current, size) &&
            BoxDistance(centres[k], stepped.current, size) < BoxDistance(centres[k], block.current, size)) {
            return;
        }
    }
    block = stepped;
}

} // namespace

bool SphereTouchesSolidBlocks(Vector3 centre, float radius, const MovingBlock& doorSwitch,
                              const MovingBlock& secondDoor) {
    return SphereTouchesBox(centre, radius, doorSwitch.current, switchSize) ||
           SphereTouchesBox(centre, radius, secondDoor.current, secondDoorSize);
}

bool PathEntersSolidBlocks(Vector3 from, Vector3 to, const MovingBlock& doorSwitch,
                           const MovingBlock& secondDoor) {
    return PathEntersBox(from, to, doorSwitch.current, switchSize) ||
           PathEntersBox(from, to, secondDoor.current, secondDoorSize);
}

bool SinksIntoSolidBlocks(Vector3 before, Vector3 after, float radius, const MovingBlock& doorSwitch,
                          const MovingBlock& secondDoor) {
    return SinksIntoBox(before, after, radius, doorSwitch.current, switchSize) ||
           SinksIntoBox(before, after, radius, secondDoor.current, secondDoorSize);
}

bool MoveHeadsIntoSolidBlocks(Vector3 centre, float radius, Vector3 move, const MovingBlock& doorSwitch,
                              const MovingBlock& secondDoor) {
    return HeadsIntoTouchedBox(centre, radius, move, doorSwitch.current, switchSize) ||
           HeadsIntoTouchedBox(centre, radius, move, secondDoor.current, secondDoorSize);
}

void AdvanceSolidBlocks(MovingBlock& doorSwitch, MovingBlock& secondDoor, const Vector3* centres, int count,
                        float radius) {
    AdvanceUnlessClosing(doorSwitch, switchSize, centres, count, radius);
    AdvanceUnlessClosing(secondDoor, secondDoorSize, centres, count, radius);
}
