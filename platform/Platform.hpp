#pragma once

// Everything the game needs of the machine. Only platform/ includes SDL or the Windows headers; the
// game's modules see this header and nothing else of the platform. Two implementations fill it:
// platform/sdl and platform/win32, chosen by the build for the target system. Texts handed in are
// Windows-1252 bytes; the layer converts them where the machine wants UTF-8. One thread calls all
// of it.

#include "base/Message.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace platform {

// ---- Message boxes and time -------------------------------------------------------------------

// A modal box with an OK button; caption and text are Windows-1252. With JOSTRELA_MESSAGES=stderr in
// the environment, or when no display can show a box, writes one line "caption: text" (UTF-8) to
// standard error instead and returns at once, as if OK was pressed. The game's message sink.
void ShowMessageBox(const char* caption, const char* text, MessageIcon icon);

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

// Lets a program without a console of its own print to the console it was started from. On
// Windows the game is a windowed program: when started from cmd.exe or PowerShell, standard output
// and standard error that the caller did not redirect are pointed at that console; a stream
// redirected to a file or a pipe keeps going there, and without a parent console nothing changes.
// Elsewhere the streams are the caller's already and nothing is done. Call before anything is
// written to either stream.
void AttachParentConsole();

// ---- Files ------------------------------------------------------------------------------------

// Opens path for binary reading only when it is a regular file. The open never waits (a named pipe
// or a device with nothing behind it does not block the call) and anything but a regular file is
// closed again: null for those as for a missing file. A file another program holds open, for
// reading or writing, opens as with fopen. Reads from the stream block as usual. (On Win32:
// CreateFile sharing reads and writes as fopen does, which opens no folder, kept when GetFileType
// is FILE_TYPE_DISK, then _open_osfhandle and _fdopen.)
std::FILE* OpenRegularFile(const char* path);

// Maps the regular file at path read-only into memory: its bytes in data and size (an empty file
// gives null and 0). Opens it as OpenRegularFile does. False when path is no regular file or cannot
// be opened or mapped.
bool MapFile(const char* path, const std::uint8_t*& data, std::size_t& size);
// True when the file mapped at data was cut short while it was read: the reads past its new end
// found zeros instead of ending the process (SIGBUS), and what was read is not the file. False for
// data of no mapping.
bool MappedFileChanged(const std::uint8_t* data);
// Gives back a mapping of MapFile; does nothing for null data.
void UnmapFile(const std::uint8_t* data, std::size_t size);

// ---- Output files -----------------------------------------------------------------------------

// Which file a path names, as the file system tells files apart (device and inode; on Windows the
// volume serial number and the file index), links followed.
struct FileIdentity {
    std::uint64_t volume;
    std::uint64_t index;
    bool regular; // a regular file, not a folder, device, pipe or socket
};

// The identity of the file at path; false when there is none (or it cannot be examined).
bool IdentifyFile(const char* path, FileIdentity& identity);

// Opens path for writing without ever waiting: a named pipe with no reader, or anything the system
// would block on, is refused at once (null) instead. A regular file is created when missing and
// emptied only once it is known to be one (regular says so: the caller removes it again when it
// cannot be written whole); a device or a pipe with a reader is written as it is; a folder or a
// socket is refused. Writes to the stream block as usual.
std::FILE* OpenOutputFile(const char* path, bool& regular);

// Makes the game's outputs fail as writes instead of ending the process: a write to a closed pipe
// fails (EPIPE), so does one past the process's file size limit (EFBIG), and a standard descriptor
// the game was started without is held by a read-only placeholder, so no file the game opens takes
// its number and every write to that stream fails instead of landing in the file. Called once,
// first thing.
void PrepareOutputs();

// ---- The game window and its OpenGL context ---------------------------------------------------

struct WindowSystem; // the registered kind of window the game's are made from, and the video service
struct Window;       // a top-level window with its drawing surface and an OpenGL compatibility context

// Registers the class windows of the game are made from, for the program's own module, and starts
// the video service they need (the screen saver stays off while a window of it runs). Null when
// that cannot be had, and on SDL when the only video service at hand shows nothing (an off-screen
// or dummy driver) unless the environment asked for it by name (SDL_VIDEODRIVER, for tests).
WindowSystem* StartWindowSystem(const char* className);
// Unregisters the class and frees its record whatever the outcome; false when the system refuses
// (a window of the class still exists) or for a null system.
bool StopWindowSystem(WindowSystem* system);

struct DisplayMode {
    int width;
    int height;
    int refreshRate;
    std::uint32_t format; // the display's pixel format, kept as read
};

// The desktop mode of the primary display; false when it cannot be read.
bool CurrentDisplayMode(DisplayMode& mode);

// Switches the display to mode for fullscreen windows. Refused (false, nothing changes) unless the
// display offers exactly mode's size; depth and refresh are kept as given.
bool ChangeDisplayMode(const DisplayMode& mode);

// Gives the desktop mode back: a fullscreen window leaves fullscreen, a pending mode is dropped.
bool RestoreDisplayMode();

enum class WindowStyle { Windowed, Fullscreen, Hidden };

// What OpenWindow makes: a window of style at (x, y), width x height pixels in all (borders and
// caption included, no adjustment), titled title, whose surface is a double-buffered RGBA one of
// colourBits with a depth buffer of depthBits (the driver's nearest when it has no such depth: 24
// or 16 bits). Windowed: caption, borders and the system menu; Fullscreen: a bare popup; Hidden:
// never shown (tests draw on it).
struct WindowRequest {
    const char* title;
    WindowStyle style;
    int x;
    int y;
    int width;
    int height;
    int colourBits;
    int depthBits;
};

// The steps of opening a window, in the order they are taken.
enum class OpenStep {
    Window,        // the window itself
    Surface,       // its drawing surface
    ChooseFormat,  // a pixel format for the request
    SetFormat,     // the surface taking that format
    CreateContext, // the OpenGL context
    MakeCurrent,   // the context becoming the thread's current one
    Done           // every step worked
};

// Opens the window of request on system and makes its OpenGL context current, each step only when
// the ones before it worked. Returns Done, or the step that failed; window holds what was made
// (null when not even the window), which CloseWindow releases. The window is not shown yet.
OpenStep OpenWindow(WindowSystem* system, const WindowRequest& request, Window*& window);

// Shows the window, raises it and gives it the keyboard focus. For a fullscreen window made while
// a display mode was changed, false when the display did not take that mode.
bool ShowWindow(Window* window);

// The release steps of CloseWindow that the system refused; each is still taken.
struct CloseFailures {
    bool releaseCurrent; // the context stopping being current
    bool deleteContext;
    bool releaseSurface;
    bool destroyWindow;
};

// Releases what window holds, in the reverse order of OpenWindow, every step whatever the ones
// before gave, and frees it. Nothing for a null window.
CloseFailures CloseWindow(Window* window);

// The address of the OpenGL entry point name of the current context (functions past OpenGL 1.1
// must be fetched this way); null when the driver has none of that name.
void* GLFunction(const char* name);

// Presents the back buffer. No vertical-sync wait is asked for. False for a null window.
bool SwapBuffers(Window* window);

// Size of the drawable surface in pixels: the window's client area as the window system has it
// (0 x 0 for a null window).
void SurfaceSize(Window* window, int& width, int& height);

void SetWindowTitle(Window* window, const char* title);
void SetCursorVisible(bool visible);

// Makes owner (null: none, as at the start) the owner of the message boxes shown until the next
// call. An owned box is modal to its window (which takes no input while the box is up), has no
// taskbar button of its own and stays above it, a fullscreen window included. The caller resets it
// before the window is destroyed.
void SetMessageBoxOwner(Window* owner);
// Makes the window of this program that has the keyboard focus as a box is shown (none when none
// has) the owner of the message boxes shown until the next call of either.
void SetMessageBoxOwnerToFocus();

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

struct Input; // the device layer with the keyboard and the mouse it made

// The steps of opening the input devices, in the order they are taken.
enum class InputStep {
    System,         // the device layer
    Keyboard,       // the keyboard device
    KeyboardFormat, // its data format
    KeyboardLevel,  // its cooperative level with the window
    Mouse,          // the mouse device
    MouseFormat,    // its data format
    MouseLevel,     // its cooperative level with the window
    Done            // every step worked
};

// Opens the keyboard, then the mouse, as exclusive foreground devices of window (a device is
// acquired only while its window has the keyboard focus, and loses its acquisition when the focus
// goes), each step only when the ones before it worked; a device bound to the window is acquired
// at once when the window has the focus. Returns Done, or the step that failed; input holds what
// was made (null when not even the device layer), which is read as far as it goes and released
// by CloseInput.
InputStep OpenInput(Window* window, Input*& input);

// This frame's keyboard: 256 bytes by DirectInput key code, bit 7 = down. False, keys as they
// were, unless the keyboard is acquired and its window still has the focus; a failed read takes
// the keyboard back when it can, for the next read.
bool ReadKeys(Input* input, std::uint8_t keys[256]);

// The mouse since the last read: relative x, y and wheel as three 32-bit ints, then eight button
// bytes. Fails, and takes the mouse back, as ReadKeys.
bool ReadMouse(Input* input, std::uint8_t state[20]);

// Unacquires and releases the devices, then the device layer, and frees input. Nothing for null.
void CloseInput(Input* input);

// ---- Fonts ------------------------------------------------------------------------------------

// Fills the count display lists from listBase with the glyphs of characters first .. first+count-1
// of the closest installed match of face, bold, with height as the character cell (ascent plus
// descent) in pixels: each list draws its glyph at the raster position and advances it. Needs
// window's GL context current. "Comic Sans" resolves to Comic Neue where that is
// installed; a face equal to "symbol" in any case takes the symbol character set. False when no
// face can be had (the lists stay as they were).
bool BuildGlyphLists(Window* window, const char* face, int height, int first, int count, unsigned listBase);

// ---- Sockets ----------------------------------------------------------------------------------

// Makes a UDP socket (the system's handle) ignore the port-unreachable answers of other machines:
// on Windows such an answer to one send fails the socket's next receive (WSAECONNRESET), and a
// peer that left would stop the host hearing the others. Nothing to do elsewhere.
void IgnoreUdpPortUnreachable(std::uintptr_t socket);

// ---- The user ---------------------------------------------------------------------------------
// The name the user logged in with, as the system spells it (UTF-8 on Linux, the ANSI code page on
// Windows), at most capacity - 1 bytes and terminated; an empty text when the system says none.
void LoginName(char* out, std::size_t capacity);
// ---- Screenshots ------------------------------------------------------------------------------

// Writes the current context's back buffer (width x height from the origin) as an RGB PNG, opened
// as OpenOutputFile does. False when the buffer cannot be read, the memory for the picture cannot be
// had (never an abort), or a write or the close fails; a regular file is then removed again.
bool WriteBackBufferPng(const char* path, int width, int height);

// Writes width x height pixels of channels bytes each (3: RGB, 4: RGBA), rows from the top, as a
// PNG, opened as OpenOutputFile does. False when the file cannot be written whole (a regular file
// is then removed again). Issues no GL calls.
bool WritePngFile(const char* path, int width, int height, int channels, const unsigned char* pixels);

} // namespace platform
