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

void ShowCreateFailure(const char* text, MessageIcon icon) {
    ShowMessage("ERROR", text, icon);
}

} // namespace

GLWindow::GLWindow()
    : instance(nullptr), window(nullptr), renderContext(nullptr), deviceContext(nullptr),
      fullscreen(false), className{}, height(0), width(0), colourBits(0) {}

bool GLWindow::Create(const char* name, const char* configPath) {
    std::snprintf(className, sizeof className, "%s", name);
    instance = platform::RegisterWindowClass(className);
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

    // The pixel format keeps the low 8 bits of the colour depth.
    const int formatColourBits = colourBits & 0xFF;
    window = platform::OpenWindow(instance, className, style, 0, 0, width, height);
    if (window == nullptr) {
        Destroy();
        ShowCreateFailure("Fallo al crear la ventana.", MessageIcon::Information);
        return false;
    }
    deviceContext = platform::GetDeviceContext(window);
    if (deviceContext == nullptr) {
        Destroy();
        ShowCreateFailure("No se puede crear un Device Context.", MessageIcon::Exclamation);
        return false;
    }
    const int format = platform::ChoosePixelFormat(deviceContext, formatColourBits, 32);
    if (format == 0) {
        Destroy();
        ShowCreateFailure("No se puede encontrar un formato de pixel adecuado.", MessageIcon::Exclamation);
        return false;
    }
    if (!platform::SetPixelFormat(deviceContext, format)) {
        Destroy();
        ShowCreateFailure("No se puede poner el formato de pixel.", MessageIcon::Exclamation);
        return false;
    }
    renderContext = platform::CreateGLContext(deviceContext);
    if (renderContext == nullptr) {
        Destroy();
        ShowCreateFailure("No se puede crear un rendering context.", MessageIcon::Exclamation);
        return false;
    }
    if (!platform::MakeCurrent(deviceContext, renderContext)) {
        Destroy();
        ShowCreateFailure("No se puede activar el rendering context.", MessageIcon::Exclamation);
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
    platform::SurfaceSize(deviceContext, clientWidth, clientHeight);
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
    platform::UnregisterWindowClass(instance);
    instance = nullptr;
}

void GLWindow::Destroy() {
    if (fullscreen) {
        platform::RestoreDisplayMode();
        platform::SetCursorVisible(true);
    }
    if (renderContext != nullptr) {
        if (!platform::MakeCurrent(deviceContext, nullptr)) {
            ShowMessage("ERROR", "Fallo al intentar liberar el device context y el rendering context.",
                        MessageIcon::Information);
        }
        if (!platform::DeleteGLContext(renderContext)) {
            ShowMessage("ERROR", "Fallo al intentar liberar el rendering context.", MessageIcon::Information);
        }
        renderContext = nullptr;
    }
    // Released handles are cleared even when their release worked: the rest of a frame in which
    // the window closed must find nothing to draw on.
    if (deviceContext != nullptr) {
        if (!platform::ReleaseDeviceContext(window, deviceContext)) {
            ShowMessage("ERROR", "Fallo al intentar liberar el device context.", MessageIcon::Information);
        }
        deviceContext = nullptr;
    }
    if (window != nullptr) {
        if (!platform::DestroyWindow(window)) {
            ShowMessage("ERROR", "Fallo al cerrar la ventana.", MessageIcon::Information);
        }
        window = nullptr;
    }
    // The class record is gone after this call whatever its outcome.
    if (!platform::UnregisterWindowClass(instance)) {
        ShowMessage("ERROR", "Fallo al intentar desregistrar la clase.", MessageIcon::Information);
    }
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
    if (deviceContext == nullptr) {
        return false;
    }
    return platform::SwapBuffers(deviceContext);
}
