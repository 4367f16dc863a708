#include "model/BmpReader.hpp"
#include "tools/inspect/Inspect.hpp"
#include "tools/writers/ChunkWriter.hpp"

#include <cstdio>
#include <cstring>
#include <vector>

int InspectBmp(int argc, char** argv, std::string& out) {
    const bool rgb = argc == 3 && std::strcmp(argv[1], "--rgb") == 0;
    if (argc != 1 && !rgb) {
        std::fprintf(stderr, "usage: jostrela-inspect bmp FILE [--rgb OUT]\n");
        return 2;
    }
    CollectMessages();
    const std::unique_ptr<RgbImage> image = ReadBmpImage(argv[0]);
    out += image != nullptr ? "{\"ok\": true, " : "{\"ok\": false, ";
    AppendMessages(out);
    out += ", \"width\": " + std::to_string(image != nullptr ? image->width : 0);
    out += ", \"height\": " + std::to_string(image != nullptr ? image->height : 0) + "}";
    if (image == nullptr) {
        return 1;
    }
    if (rgb) {
        const std::uint8_t* first = image->pixels.get();
        const std::vector<std::uint8_t> bytes(first, first + static_cast<std::size_t>(image->width) *
                                                                 image->height * 3);
        if (!writers::WriteFileBytes(argv[2], bytes)) {
            std::fprintf(stderr, "jostrela-inspect: cannot write %s\n", argv[2]);
            return 1;
        }
    }
    return 0;
}
