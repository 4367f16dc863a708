// The Windows platform layer's own behaviour, under Wine: what the window procedure queues for the
// game, and how files are shared with other programs.

#include "platform/Platform.hpp"

#include <gtest/gtest.h>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// A drag-resize sends all its sizes inside one dispatch, and a close may follow them: the game must
// get the last size and the close, however many came, and the quit request after both.
TEST(Win32Platform, ManySizesAndACloseKeepTheLastSizeAndTheClose) {
    platform::WindowSystem* windowClass = platform::StartWindowSystem("jostrela event queue test");
    ASSERT_NE(windowClass, nullptr);
    // A message-only window of the game's class: its procedure, and no display needed.
    HWND handle = CreateWindowExA(0, "jostrela event queue test", "events", 0, 0, 0, 320, 240, HWND_MESSAGE,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(handle, nullptr);
    for (int i = 1; i <= 40; ++i) {
        SendMessageA(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(300 + i, 200 + i));
    }
    SendMessageA(handle, WM_CLOSE, 0, 0);
    platform::PostQuit(7);

    int resizes = 0;
    int closes = 0;
    platform::Event last{};
    platform::Event event{};
    bool quit = false;
    for (int turn = 0; turn < 1000 && !quit && platform::PeekEvent(event); ++turn) {
        if (event.kind == platform::EventKind::Resize) {
            ++resizes;
            last = event;
        }
        closes += event.kind == platform::EventKind::Close ? 1 : 0;
        quit = event.kind == platform::EventKind::Quit;
    }
    EXPECT_EQ(resizes, 1);
    EXPECT_EQ(last.width, 340);
    EXPECT_EQ(last.height, 240);
    EXPECT_EQ(closes, 1);
    ASSERT_TRUE(quit);
    EXPECT_EQ(event.code, 7);
    EXPECT_NE(DestroyWindow(handle), 0);
    EXPECT_TRUE(platform::StopWindowSystem(windowClass));
}

// A file another program holds open for writing (an editor) opens and maps as with fopen.
TEST(Win32Platform, FilesOpenWhileAnotherProgramWritesThem) {
    char folder[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, folder), 0u);
    const std::string path = std::string(folder) + "jostrela-shared-file-test.bin";
    HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(writer, "BM42", 4, &written, nullptr) != 0 && written == 4);

    std::FILE* file = platform::OpenRegularFile(path.c_str());
    ASSERT_NE(file, nullptr);
    char read[5] = {};
    EXPECT_EQ(std::fread(read, 1, 4, file), 4u);
    EXPECT_STREQ(read, "BM42");
    std::fclose(file);

    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    ASSERT_TRUE(platform::MapFile(path.c_str(), data, size));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), size), "BM42");
    platform::UnmapFile(data, size);

    CloseHandle(writer);
    DeleteFileA(path.c_str());
}

} // namespace
