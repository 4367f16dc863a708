#include "play/SolidBlocks.hpp"

#include "geometry/PathTests.hpp"

const Vector3 switchSize(4.0f, 4.0f, 5.0f);
const Vector3 secondDoorSize(180.0f, 80.0f, 5.0f);

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
