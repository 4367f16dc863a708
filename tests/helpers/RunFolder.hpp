#pragma once

// A scratch run folder (with "Texturas/" and "MODELOS/") made the working directory for one test,
// as the game expects its files relative to where it runs.

#include "helpers/ExternalTools.hpp"
#include "tools/writers/BmpWriter.hpp"

#include <filesystem>
#include <string>

namespace testing_tools {

class RunFolder {
  public:
    RunFolder() : previous(std::filesystem::current_path()) {
        static int made = 0;
        root = ScratchFolder() + "/run" + std::to_string(++made);
        std::filesystem::create_directories(root + "/Texturas");
        std::filesystem::create_directories(root + "/MODELOS");
        std::filesystem::current_path(root);
    }
    ~RunFolder() { std::filesystem::current_path(previous); }
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

    const std::string& Root() const { return root; }

    // A width x height 24-bit texture of one colour under Texturas/.
    static void WriteSolidTexture(const std::string& name, int width, int height, std::uint8_t r,
                                  std::uint8_t g, std::uint8_t b) {
        writers::BmpImage image;
        image.width = width;
        image.height = height;
        // Sized first and filled in place: GCC 12 warns wrongly about inserting a braced list.
        image.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
        for (std::size_t i = 0; i < image.pixels.size(); i += 3) {
            image.pixels[i] = r;
            image.pixels[i + 1] = g;
            image.pixels[i + 2] = b;
        }
        EXPECT_TRUE(writers::WriteBmpFile(("Texturas/" + name).c_str(), image));
    }

  private:
    std::filesystem::path previous;
    std::string root;
};

} // namespace testing_tools
