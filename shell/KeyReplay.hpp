#pragma once

#include "input/KeyMask.hpp"
#include "play/Player.hpp"

struct World;

// Loads the key script at path into world's script of slot. Slot 0's replaces the keyboard: its
// input's Poll replays it, frame by frame; the other slots' are read by FrameKeys. False after a
// report naming the file, the line and the fault.
bool StartKeyReplay(World& world, int slot, const char* path);

// The keys of every slot for the frame being made: slot 0's from this frame's keyboard snapshot
// (the keyboard, slot 0's script or the timedemo's path), the others' from their scripts (none
// held without one). Call after the input's Poll.
void FrameKeys(const World& world, KeyMask keys[kMaxPlayers]);
