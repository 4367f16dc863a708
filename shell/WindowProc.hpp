#pragma once

#include "platform/Platform.hpp"

// Handles one window event on mainWindow: a resize sets viewport and projection, a close request
// destroys the window. Everything else needs nothing. The quit request never gets here.
void WindowProc(const platform::Event& event);
