#pragma once

#include "geometry/Vector3.hpp"
#include "scene/MovingBlock.hpp"

// The blocks the render pass draws are solid for the penguin while they are drawn: the switch and
// the second door, as boxes of the size they are drawn at from their present corner. The first door
// is never drawn and stays passable.

extern const Vector3 switchSize;     // width, height, depth of doorSwitch as drawn
extern const Vector3 secondDoorSize; // width, height, depth of secondDoor as drawn

// True when the sphere touches the switch's or the second door's box (touching included).
bool SphereTouchesSolidBlocks(Vector3 centre, float radius, const MovingBlock& doorSwitch,
                              const MovingBlock& secondDoor);

// True when the path from `from` to `to` enters the switch's or the second door's box from outside
// it (PathEntersBox): a penguin a door has come down on can still walk out.
bool PathEntersSolidBlocks(Vector3 from, Vector3 to, const MovingBlock& doorSwitch,
                           const MovingBlock& secondDoor);
