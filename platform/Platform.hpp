#pragma once

// Everything the game needs of the machine. Only platform/ includes SDL; the game's modules see
// this header and nothing else of the platform. Texts handed in are Windows-1252 bytes; the layer
// converts them where the machine wants UTF-8. One thread calls all of it.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace platform {

// ---- Message boxes and time -------------------------------------------------------------------

enum class BoxIcon { None, Information, Exclamation };

// A modal box with an OK button; caption and text are Windows-1252. With JOSTRELA_MESSAGES=stderr in
// the environment, or when no display can show a box, writes one line "caption: text" (UTF-8) to
// standard error instead and returns at once, as if OK was pressed.
void ShowMessageBox(const char* caption, const char* text, BoxIcon icon);

// Milliseconds since the machine started, wrapping at 2^32.
std::uint32_t TickCount();

// A monotonic high-resolution count for measuring frame times; PerformanceFrequency counts a
// second. Neither allocates nor fails.
std::uint64_t PerformanceCounter();
std::uint64_t PerformanceFrequency();

// Gives the processor up for about milliseconds (the system may wake the thread a little later,
// never sooner); never busy-waits. Paces the frames of interactive play. On Windows the timer
// resolution must be raised to 1 ms (timeBeginPeriod) for short sleeps to be this short.
void SleepMilliseconds(std::uint32_t milliseconds);

// Seconds from the start of this process (before any static construction) to now, at the
// resolution the system keeps (about 10 ms); negative when it cannot be read.
double SecondsSinceProcessStart();

// True when standard error is a terminal (progress lines are written only there).
bool StandardErrorIsTerminal();

// ---- Windows and GL contexts ------------------------------------------------------------------

struct Window;        // a top-level window whose surface OpenGL can draw on
struct DeviceContext; // the drawing surface of a window; lives exactly as long as its window
struct GLContext;     // an OpenGL compatibility context
struct Module;        // the program's own module

// The program's module; never null.
Module* ModuleInstance();

// Starts the video service windows of this class need (the screen saver stays off while it runs).
// False when no display can be had, and when the only video service at hand shows nothing (an
// off-screen or dummy driver) unless the environment asked for it by name (SDL_VIDEODRIVER, for
// tests). Calls nest: each successful call needs one Unregister.
bool RegisterWindowClass(const char* className, Module* instance);
bool UnregisterWindowClass(const char* className, Module* instance);

struct DisplayMode {
    int width;
    int height;
    int refreshRate;
    std::uint32_t format; // the display's pixel format, kept as read
};

// The desktop mode of the primary display; false when it cannot be read.
bool CurrentDisplayMode(DisplayMode& mode);

// Sets the display mode the next fullscreen window takes. Refused (false, nothing changes) unless
// the display offers exactly mode's size; depth and refresh are kept as given.
bool ChangeDisplayMode(const DisplayMode& mode);

// Gives the desktop mode back: a fullscreen window leaves fullscreen, the pending mode is dropped.
bool RestoreDisplayMode();

enum class WindowStyle { Windowed, Fullscreen, Hidden };

// Creates a window at (x, y) whose surface is width x height pixels, titled with title, with a
// double-buffered RGBA surface of colourBits and the deepest depth buffer of 32, 24 and 16 bits
// the driver offers (the window is recreated for each depth tried). A Fullscreen window takes the
// mode of ChangeDisplayMode when it is shown; a Hidden window is never shown (tests draw on it).
// The window is not shown by this call. Null on failure.
Window* CreateWindow(const char* title, WindowStyle style, int x, int y, int width, int height,
                     int colourBits);

// Shows the window, raises it and gives it the keyboard focus. For a fullscreen window made while
// a ChangeDisplayMode was pending, false when the display did not take that mode.
bool ShowWindow(Window* window);

bool DestroyWindow(Window* window);

// The window's drawing surface; null only for a null window.
DeviceContext* GetDeviceContext(Window* window);
bool ReleaseDeviceContext(Window* window, DeviceContext* deviceContext);

// The pixel format of the surface: the closest match the driver gave to colourBits and depthBits
// when the window was made. Returns its depth bits (a non-zero format id), 0 when there is none.
int ChoosePixelFormat(DeviceContext* deviceContext, int colourBits, int depthBits);
// True when format is the one the surface was made with (the format is fixed at window creation).
bool SetPixelFormat(DeviceContext* deviceContext, int format);

GLContext* CreateGLContext(DeviceContext* deviceContext);
// Makes context current on the surface; with a null context, releases the current one.
bool MakeCurrent(DeviceContext* deviceContext, GLContext* context);
bool DeleteGLContext(GLContext* context);
// The address of the OpenGL entry point name of the current context (functions past OpenGL 1.1
// must be fetched this way); null when the driver has none of that name.
void* GLFunction(const char* name);

// Presents the back buffer. No vertical-sync wait is asked for.
bool SwapBuffers(DeviceContext* deviceContext);

// Size of the drawable surface in pixels: the window's client area as the window system has it.
void SurfaceSize(DeviceContext* deviceContext, int& width, int& height);

void SetWindowTitle(Window* window, const char* title);
void SetCursorVisible(bool visible);

// ---- Events -----------------------------------------------------------------------------------

enum class EventKind {
    Resize, // the window's client area changed size: width, height, as the window now is
    Close,  // the user asked to close the window (close box, Alt+F4, a stop signal), or the
            // connection to the display was lost (the X server went away)
    Quit,   // the quit request posted by PostQuit: code
    Other   // anything else (keys, mouse, focus, exposure): taken, nothing to do
};

struct Event {
    EventKind kind;
    int width;
    int height;
    int code;
};

// Takes the next waiting event. The quit request comes after every other waiting event. False
// when nothing is waiting.
bool PeekEvent(Event& event);

// Posts the quit request with code; PeekEvent hands it out once the other events are taken.
void PostQuit(int code);

// ---- Keyboard and mouse -----------------------------------------------------------------------

struct InputSystem;
struct InputDevice;
enum class DeviceKind { Keyboard, Mouse };
enum class DeviceResult { Ok, NotAcquired, InputLost, OtherHasPriority };

// A small device layer with exclusive, foreground devices: a device is acquired only while the
// window has the keyboard focus, and loses its acquisition when the focus goes.
InputSystem* CreateInputSystem(Module* instance);
InputDevice* CreateDevice(InputSystem* system, DeviceKind kind);
bool SetDataFormat(InputDevice* device);
bool SetCooperativeLevel(InputDevice* device, Window* window);
// Ok when the device is acquired afterwards; OtherHasPriority while its window lacks the focus.
DeviceResult Acquire(InputDevice* device);
void Unacquire(InputDevice* device);
void ReleaseDevice(InputDevice* device);
void ReleaseInputSystem(InputSystem* system);

// Keyboard: 256 bytes by DirectInput key code, bit 7 = down. Mouse: 20 bytes, relative x, y and
// wheel as three 32-bit ints, then eight button bytes. Fails unless the device is acquired and its
// window still has the focus; a failed read leaves state as it was.
DeviceResult ReadDeviceState(InputDevice* device, std::size_t size, void* state);

// DirectInput key code (0..255) of a USB HID keyboard usage (the scancode numbering of the
// keyboard layer); 0 for a usage the game's numbering lacks. Pure.
int DirectInputCode(int hidUsage);

// Fills keys (256 bytes) from the pressed flags indexed by HID usage: every key released when the
// window lacks the focus, else bit 7 set for each pressed usage that has a code. Pure.
void FillKeySnapshot(const std::uint8_t* pressedByUsage, int usageCount, bool focused,
                     std::uint8_t keys[256]);

// ---- Fonts ------------------------------------------------------------------------------------

struct GlyphBitmap {
    int width;     // pixels
    int rows;      // pixels
    int rowBytes;  // ceil(width / 8)
    int left;      // pen to the bitmap's left edge, pixels
    int bottom;    // pen (baseline) to the bitmap's bottom row, pixels (negative below the baseline)
    float advance; // pen advance, pixels
    std::vector<std::uint8_t> bits; // 1 bit a pixel, most significant first, bottom row first
};

// Renders characters first .. first+count-1 of the closest installed match of family (bold when
// asked), with height as the character cell (ascent plus descent) in pixels, 1 bit a pixel.
// "Comic Sans" resolves to Comic Neue where that is installed. False when no face can be opened.
bool RasterizeGlyphs(const char* family, int height, bool bold, int first, int count,
                     std::vector<GlyphBitmap>& glyphs);

// ---- Files ------------------------------------------------------------------------------------

// Opens path for binary reading only when it is a regular file. The open never waits (a named pipe
// or a device with nothing behind it does not block the call) and anything but a regular file is
// closed again: null for those as for a missing file. Reads from the stream block as usual. (On
// Win32: CreateFile with shared read access, kept when GetFileType is FILE_TYPE_DISK and the
// attributes name no directory, then _open_osfhandle and _fdopen.)
std::FILE* OpenRegularFile(const char* path);

// ---- Screenshots ------------------------------------------------------------------------------

// Writes the current context's back buffer (width x height from the origin) as an RGB PNG.
bool WriteBackBufferPng(const char* path, int width, int height);

} // namespace platform
