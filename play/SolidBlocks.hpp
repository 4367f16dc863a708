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

// True when the sphere of radius centred at `after` is nearer the switch's or the second door's box
// than SinksDeeper allows for the same sphere centred at `before` (the blocks where they are now).
bool SinksIntoSolidBlocks(Vector3 before, Vector3 after, float radius, const MovingBlock& doorSwitch,
                          const MovingBlock& secondDoor);

// True when the sphere (centre, radius) touches the switch's or the second door's box (touching
// included) and move, made from centre, heads into that box (MoveHeadsIntoBox).
bool MoveHeadsIntoSolidBlocks(Vector3 centre, float radius, Vector3 move, const MovingBlock& doorSwitch,
                              const MovingBlock& secondDoor);

// One step of the switch and then of the second door (MovingBlock::Advance), except that a block
// whose step would bring its box nearer to one of the count sphere centres given and leave it
// touching that sphere (touching included) waits where it is this frame: a block never closes on a
// penguin. A block with no sphere in its way steps exactly as Advance does.
void AdvanceSolidBlocks(MovingBlock& doorSwitch, MovingBlock& secondDoor, const Vector3* centres, int count,
                        float radius);
