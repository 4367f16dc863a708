// jostrela-floor [--frames N] [--clear-only]: the least a frame of the game can cost on this
// machine. Opens the window from "scr.txt" in the working directory exactly as the game does, lights
// it as the game does, and then, each frame, clears colour and depth and draws one textured, lit,
// depth-tested, mipmapped quad that fills the window (not with --clear-only), and presents it.
// Prints the timedemo's first report line ("N frames S seconds F fps MIN/AVG/MAX/STDDEV ms") so
// the two can be set side by side.

#include "diag/TimedemoReport.hpp"
#include "model/Texture.hpp"
#include "platform/Platform.hpp"
#include "shell/GLWindow.hpp"
#include "shell/Light.hpp"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Distance of the quad from the eye; the game's perspective has a 45-degree vertical field.
constexpr float kQuadDistance = 10.0f;

// The game's light (fixed relative to the eye) and a wall texture of its run folder, repeated as
// the church's walls repeat theirs.
void SetUpScene(GLuint* texture) {
    SetUpLight();
    LoadTexture(texture, 1, "RedBrick.bmp", 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glEnable(GL_TEXTURE_2D);
}

void DrawFrame(float halfWidth, float halfHeight, bool clearOnly) {
    glEnable(GL_DEPTH_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (clearOnly) {
        return;
    }
    glLoadIdentity();
    glColor3ub(255, 255, 255);
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-halfWidth, -halfHeight, -kQuadDistance);
    glTexCoord2f(8.0f, 0.0f);
    glVertex3f(halfWidth, -halfHeight, -kQuadDistance);
    glTexCoord2f(8.0f, 6.0f);
    glVertex3f(halfWidth, halfHeight, -kQuadDistance);
    glTexCoord2f(0.0f, 6.0f);
    glVertex3f(-halfWidth, halfHeight, -kQuadDistance);
    glEnd();
}

bool ReadOptions(int argc, char** argv, int& frames, bool& clearOnly) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--clear-only") == 0) {
            clearOnly = true;
            continue;
        }
        if (std::strcmp(argv[i], "--frames") != 0 || i + 1 == argc) {
            return false;
        }
        char* end = nullptr;
        const long value = std::strtol(argv[++i], &end, 10);
        if (*end != '\0' || value < 1 || value > 1000000) {
            return false;
        }
        frames = static_cast<int>(value);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    int frames = 1000;
    bool clearOnly = false;
    if (!ReadOptions(argc, argv, frames, clearOnly)) {
        std::fprintf(stderr, "usage: jostrela-floor [--frames N] [--clear-only]\n");
        return 2;
    }
    GLWindow window;
    if (!window.Create("Jostrela 3d floor", "scr.txt")) {
        return 1;
    }
    GLuint texture = 0;
    SetUpScene(&texture);
    // A little past the edges of the view, so that the quad covers every pixel.
    const float halfHeight = 1.01f * kQuadDistance * std::tan(22.5f * 3.14159265f / 180.0f);
    const float halfWidth = halfHeight * static_cast<float>(window.width) /
                            static_cast<float>(window.height > 0 ? window.height : 1);

    std::vector<std::uint64_t> ticks(static_cast<std::size_t>(frames), 0);
    std::vector<std::uint64_t> sorted(ticks.size(), 0);
    int drawn = 0;
    std::uint64_t last = platform::PerformanceCounter();
    while (drawn < frames) {
        platform::Event event{};
        if (platform::PeekEvent(event)) {
            if (event.kind == platform::EventKind::Close || event.kind == platform::EventKind::Quit) {
                break;
            }
            continue;
        }
        DrawFrame(halfWidth, halfHeight, clearOnly);
        window.SwapFrame();
        const std::uint64_t now = platform::PerformanceCounter();
        ticks[static_cast<std::size_t>(drawn++)] = now - last;
        last = now;
    }
    window.Destroy();

    TimedemoTotals totals;
    totals.frameTicks = ticks.data();
    totals.frames = drawn;
    totals.ticksPerSecond = platform::PerformanceFrequency();
    const std::string line = FormatFramesLine(drawn, SummariseFrameTimes(totals, sorted.data()));
    std::fputs(line.c_str(), stdout);
    return drawn == frames ? 0 : 1;
}
