#include "shell/GLWindow.hpp"

#include "base/Message.hpp"
#include "platform/Platform.hpp"
#include "shell/ScreenConfig.hpp"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <string>

namespace {

// The configuration files are a few lines long; anything past this is never looked at.
const std::size_t kConfigReadLimit = 64 * 1024;

// False when the file cannot be opened or read, or is not a regular file (a folder, a named pipe):
// all are reported as a file that cannot be opened.
bool ReadConfigFile(const char* path, std::string& text) {
    std::FILE* file = platform::OpenRegularFile(path);
    if (file == nullptr) {
        return false;
    }
    char buffer[4096];
    while (text.size() < kConfigReadLimit) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file);
        if (got == 0) {
            break;
        }
        text.append(buffer, got);
    }
    const bool readFailed = std::ferror(file) != 0;
    std::fclose(file);
    return !readFailed;
}

// A window may be at most twice the screen each way (a fullscreen window of 1024 x 768 over the
// 800 x 600 mode is one the game has always made); a larger one costs gigabytes a frame for pixels
// nobody sees. Without a screen to ask, nothing is refused here.
bool FitsTheScreen(const ScreenConfig& config, std::string& problem) {
    platform::DisplayMode screen{};
    if (!platform::CurrentDisplayMode(screen) || screen.width <= 0 || screen.height <= 0) {
        return true;
    }
    if (static_cast<long long>(config.width) > 2LL * screen.width) {
        problem = "el valor de Ancho= (" + std::to_string(config.width) +
                  ") pasa del doble del ancho de la pantalla (" + std::to_string(screen.width) + ")";
        return false;
    }
    if (static_cast<long long>(config.height) > 2LL * screen.height) {
        problem = "el valor de Alto= (" + std::to_string(config.height) +
                  ") pasa del doble del alto de la pantalla (" + std::to_string(screen.height) + ")";
        return false;
    }
    return true;
}

// The message of a step of opening the window that failed: the window's own under the information
// icon, those of its surface and context under the exclamation mark.
void ShowOpenFailure(platform::OpenStep step) {
    const char* text = "Fallo al crear la ventana.";
    MessageIcon icon = MessageIcon::Exclamation;
    switch (step) {
    case platform::OpenStep::Window:
    case platform::OpenStep::Done:
        icon = MessageIcon::Information;
        break;
    case platform::OpenStep::Surface:
        text = "No se puede crear un Device Context.";
        break;
    case platform::OpenStep::ChooseFormat:
        text = "No se puede encontrar un formato de pixel adecuado.";
        break;
    case platform::OpenStep::SetFormat:
        text = "No se puede poner el formato de pixel.";
        break;
    case platform::OpenStep::CreateContext:
        text = "No se puede crear un rendering context.";
        break;
    case platform::OpenStep::MakeCurrent:
        text = "No se puede activar el rendering context.";
        break;
    }
    ShowMessage("ERROR", text, icon);
}

// A release step the system refused.
void ShowReleaseFailure(bool failed, const char* text) {
    if (failed) {
        ShowMessage("ERROR", text, MessageIcon::Information);
    }
}

} // namespace

GLWindow::GLWindow()
    : instance(nullptr), window(nullptr), fullscreen(false), className{}, height(0), width(0), colourBits(0) {
}

bool GLWindow::Create(const char* name, const char* configPath) {
    std::snprintf(className, sizeof className, "%s", name);
    instance = platform::StartWindowSystem(className);
    if (instance == nullptr) {
        ShowMessage("ERROR", "Fallo al registrar la ventana.", MessageIcon::Information);
        return false;
    }

    std::string text;
    if (!ReadConfigFile(configPath, text)) {
        char message[512];
        std::snprintf(message, sizeof message, "No se ha podido abrir %s", configPath);
        ShowMessage("Aviso", message, MessageIcon::None);
        ReleaseClass();
        return false;
    }
    // A file that opens but does not follow the pattern is refused like a missing one: nothing of
    // what it holds is used.
    ScreenConfig config{};
    std::string problem;
    if (!ParseScreenConfig(text.data(), text.size(), config, problem) || !FitsTheScreen(config, problem)) {
        char message[768];
        std::snprintf(message, sizeof message, "%s: %s", configPath, problem.c_str());
        ShowMessage("Aviso", message, MessageIcon::None);
        ReleaseClass();
        return false;
    }
    width = config.width;
    height = config.height;
    colourBits = config.colourBits;
    fullscreen = config.fullscreen;

    platform::WindowStyle style = platform::WindowStyle::Windowed;
    if (fullscreen) {
        style = platform::WindowStyle::Fullscreen;
        SwitchToFullscreen();
    }
    platform::SetCursorVisible(false);

    // The pixel format keeps the low 8 bits of the colour depth; the depth buffer asked for is 32 bits.
    const platform::WindowRequest request{className, style, 0, 0, width, height, colourBits & 0xFF, 32};
    const platform::OpenStep step = platform::OpenWindow(instance, request, window);
    if (step != platform::OpenStep::Done) {
        Destroy();
        ShowOpenFailure(step);
        return false;
    }

    // A display that does not run the 800 x 600 mode once the window is up refused the switch.
    if (!platform::ShowWindow(window) && fullscreen) {
        RefuseFullscreen();
    }
    // The view fills the client area: a window's borders and caption come out of its outer size
    // (Ancho x Alto), and a view of that size would put its top rows and right columns outside the
    // window.
    int clientWidth = 0;
    int clientHeight = 0;
    platform::SurfaceSize(window, clientWidth, clientHeight);
    Resize(clientWidth, clientHeight);
    return true;
}

void GLWindow::SwitchToFullscreen() {
    platform::DisplayMode mode{};
    if (!platform::CurrentDisplayMode(mode)) {
        ShowMessage("ERROR", "Fallo al enumerar los display settings", MessageIcon::Information);
        return;
    }
    mode.width = 800;
    mode.height = 600;
    if (!platform::ChangeDisplayMode(mode)) {
        RefuseFullscreen();
    }
}

void GLWindow::RefuseFullscreen() {
    ShowMessage("ERROR", "Modo de visualizaci\xF3n no compatible", MessageIcon::Information);
    platform::PostQuit(0);
}

void GLWindow::ReleaseClass() {
    platform::StopWindowSystem(instance);
    instance = nullptr;
}

void GLWindow::Destroy() {
    if (fullscreen) {
        platform::RestoreDisplayMode();
        platform::SetCursorVisible(true);
    }
    // The handle is cleared even when a release step failed: the rest of a frame in which the
    // window closed must find nothing to draw on.
    const platform::CloseFailures failures = platform::CloseWindow(window);
    window = nullptr;
    ShowReleaseFailure(failures.releaseCurrent,
                       "Fallo al intentar liberar el device context y el rendering context.");
    ShowReleaseFailure(failures.deleteContext, "Fallo al intentar liberar el rendering context.");
    ShowReleaseFailure(failures.releaseSurface, "Fallo al intentar liberar el device context.");
    ShowReleaseFailure(failures.destroyWindow, "Fallo al cerrar la ventana.");
    // The class record is gone after this call whatever its outcome.
    ShowReleaseFailure(!platform::StopWindowSystem(instance), "Fallo al intentar desregistrar la clase.");
    instance = nullptr;
    platform::PostQuit(0);
}

void GLWindow::Resize(int width, int height) {
    if (height == 0) {
        height = 1;
    }
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const GLfloat aspect = static_cast<GLfloat>(width) / static_cast<GLfloat>(height);
    gluPerspective(45.0, aspect, 1.0, 5000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

bool GLWindow::SwapFrame() {
    return platform::SwapBuffers(window);
}
