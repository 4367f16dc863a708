#include "base/Message.hpp"
#include "platform/Platform.hpp"
#include "shell/GLWindow.hpp"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Shown {
    std::string caption;
    std::string text;
    MessageIcon icon;
};

std::vector<Shown> shown;

void Collect(const char* caption, const char* text, MessageIcon icon) {
    shown.push_back({caption, text, icon});
}

// Drains the event queue; true when the quit request came out of it.
bool QuitWasPosted() {
    platform::Event event{};
    bool quit = false;
    for (int i = 0; i < 10000 && platform::PeekEvent(event); ++i) {
        quit = quit || event.kind == platform::EventKind::Quit;
    }
    return quit;
}

class GLWindowCreate : public ::testing::Test {
  protected:
    void SetUp() override {
        shown.clear();
        previousSink = SetMessageSink(Collect);
        char pattern[] = "/tmp/jostrela-scr-XXXXXX";
        const int fd = mkstemp(pattern);
        ASSERT_GE(fd, 0);
        close(fd);
        path = pattern;
    }
    void TearDown() override {
        SetMessageSink(previousSink);
        std::remove(path.c_str());
        QuitWasPosted();
    }
    void WriteConfig(const char* text) {
        std::FILE* file = std::fopen(path.c_str(), "w");
        ASSERT_NE(file, nullptr);
        std::fputs(text, file);
        std::fclose(file);
    }

    std::string path;
    MessageSink previousSink = nullptr;
};

} // namespace

TEST_F(GLWindowCreate, AMissingFileIsNamedUnderAvisoAndNoWindowOpens) {
    std::remove(path.c_str());
    GLWindow window;
    EXPECT_FALSE(window.Create("Jostrela 3d modo cooperativo multijugador", path.c_str()));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "Aviso");
    EXPECT_EQ(shown[0].text, "No se ha podido abrir " + path);
    EXPECT_EQ(shown[0].icon, MessageIcon::None);
    EXPECT_EQ(window.window, nullptr);
    EXPECT_FALSE(QuitWasPosted()) << "nothing was made, so nothing is destroyed";
}

TEST_F(GLWindowCreate, AFileLackingAnEntryIsRefusedTheSameWay) {
    WriteConfig("Ancho=640\nAlto=480\nFullscreen=0\n");
    GLWindow window;
    EXPECT_FALSE(window.Create("Jostrela 3d modo cooperativo multijugador", path.c_str()));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "Aviso");
    EXPECT_EQ(shown[0].text, path + ": falta la entrada Bits=");
    EXPECT_EQ(window.window, nullptr);
}

TEST_F(GLWindowCreate, AWindowedConfigurationGivesAWindowAContextAndItsViewport) {
    WriteConfig("Ancho=320\n\nAlto=200\nBits=32\nFullscreen=0\n");
    GLWindow window;
    ASSERT_TRUE(window.Create("Jostrela 3d modo cooperativo multijugador", path.c_str()));
    EXPECT_TRUE(shown.empty());
    EXPECT_STREQ(window.className, "Jostrela 3d modo cooperativo multijugador");
    EXPECT_EQ(window.width, 320);
    EXPECT_EQ(window.height, 200);
    EXPECT_EQ(window.colourBits, 32);
    EXPECT_FALSE(window.fullscreen);
    EXPECT_NE(window.instance, nullptr);
    EXPECT_NE(window.window, nullptr);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 320);
    EXPECT_EQ(viewport[3], 200);
    EXPECT_TRUE(window.SwapFrame());

    window.Destroy();
    EXPECT_TRUE(shown.empty()) << shown[0].text;
    EXPECT_EQ(window.window, nullptr);
    EXPECT_FALSE(window.SwapFrame()) << "nothing is presented once the window is gone";
    EXPECT_TRUE(QuitWasPosted());
}

TEST_F(GLWindowCreate, AnOverlongClassNameIsCutToTheField) {
    WriteConfig("Ancho=64\nAlto=64\nBits=32\nFullscreen=0\n");
    const std::string name(400, 'x');
    GLWindow window;
    ASSERT_TRUE(window.Create(name.c_str(), path.c_str()));
    EXPECT_EQ(std::string(window.className), name.substr(0, sizeof window.className - 1));
    window.Destroy();
}

TEST(MessageText, Windows1252TextsReachStandardErrorAsUtf8) {
    // The non-interactive mode the tests run in writes each box as one UTF-8 line.
    ::testing::internal::CaptureStderr();
    ShowMessage("ERROR", "Modo de visualizaci\xF3n no compatible", MessageIcon::Information);
    ShowMessage("Error", "\xA1No se pudo crear el objeto teclado!", MessageIcon::Exclamation);
    ShowMessage("Atencion!!!", "Ning\xFAn fichero en el \xEDndice", MessageIcon::Exclamation);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "ERROR: Modo de visualizaci\u00F3n no compatible\n"
              "Error: \u00A1No se pudo crear el objeto teclado!\n"
              "Atencion!!!: Ning\u00FAn fichero en el \u00EDndice\n");
}
