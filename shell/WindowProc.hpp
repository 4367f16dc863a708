#pragma once

#include "platform/Platform.hpp"

struct World;

// Handles one window event on world's window: a resize sets viewport and projection, a close
// request destroys the window. Everything else needs nothing. The quit request never gets here.
void WindowProc(World& world, const platform::Event& event);
