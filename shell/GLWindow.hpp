#pragma once

#include "platform/Platform.hpp"

// The one top-level window with its drawing surface and OpenGL context, the window class and, in
// fullscreen, the changed display mode. The game's is the world's mainWindow, created by the entry.
struct GLWindow {
    platform::WindowSystem* instance; // the registered window class of the program's module
    platform::Window* window;         // the top-level window, its surface and the one OpenGL context
    bool fullscreen;                  // "Fullscreen" of the screen configuration
    char className[256];              // copy of the class name given to Create
    int height;                       // "Alto"
    int width;                        // "Ancho"
    int colourBits;                   // "Bits"

    GLWindow();

    // Reads the screen configuration at configPath, opens the window titled className (Ancho x Alto
    // in all, borders included), makes a GL context current on it and sets the view to the window's
    // client area. False after showing the failure's message box.
    bool Create(const char* className, const char* configPath);

    // Restores the display mode, releases context, surface, window and class (null afterwards,
    // whatever the outcome), shows a message for each release step the system refused, in that
    // order, and posts the quit request.
    void Destroy();

    // Gives back the window class quietly when Create stops before any window exists (a refused
    // screen configuration ends the game without the release sequence's messages).
    void ReleaseClass();

    // Viewport (0, 0, width, height) and the 45-degree perspective, near 1, far 5000; height 0 is
    // taken as 1. Leaves the modelview matrix selected and reset. Uses no field of the object.
    static void Resize(int width, int height);

    // Presents the back buffer; false when there is nothing to present on.
    bool SwapFrame();

    // Switches the display to 800 x 600 keeping depth and refresh; called by Create only. A refused
    // switch shows its message and posts the quit request.
    void SwitchToFullscreen();

    // Shows the refusal of the fullscreen mode and posts the quit request.
    void RefuseFullscreen();
};
