#include "tools/content/Textures.hpp"

#include "tools/content/Mesh.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

struct Rgb {
    float r, g, b;
};

Rgb Mix(Rgb a, Rgb b, float t) {
    return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Rgb Scale(Rgb a, float s) {
    return Rgb{a.r * s, a.g * s, a.b * s};
}

std::uint8_t Byte(float v) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 255.0f)));
}

// A picture being drawn, top row first.
struct Canvas {
    int width;
    int height;
    std::vector<Rgb> pixels;

    Canvas(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, Rgb{0, 0, 0}) {}
    Rgb& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

writers::BmpImage ToTrueColour(const Canvas& canvas) {
    writers::BmpImage image;
    image.width = canvas.width;
    image.height = canvas.height;
    image.bitsPerPixel = 24;
    for (int row = canvas.height - 1; row >= 0; --row) {
        for (int x = 0; x < canvas.width; ++x) {
            const Rgb& p = canvas.pixels[static_cast<std::size_t>(row) * canvas.width + x];
            image.pixels.push_back(Byte(p.r));
            image.pixels.push_back(Byte(p.g));
            image.pixels.push_back(Byte(p.b));
        }
    }
    return image;
}

// A palettised picture: indices top row first and the palette's colours.
struct IndexedCanvas {
    int width;
    int height;
    std::vector<std::uint8_t> indices;
    std::vector<Rgb> palette;

    IndexedCanvas(int w, int h) : width(w), height(h), indices(static_cast<std::size_t>(w) * h, 0) {}
    std::uint8_t& At(int x, int y) { return indices[static_cast<std::size_t>(y) * width + x]; }
};

writers::BmpImage ToPalettised(const IndexedCanvas& canvas) {
    writers::BmpImage image;
    image.width = canvas.width;
    image.height = canvas.height;
    image.bitsPerPixel = 8;
    for (const Rgb& c : canvas.palette) {
        image.palette.push_back(Byte(c.r));
        image.palette.push_back(Byte(c.g));
        image.palette.push_back(Byte(c.b));
    }
    for (int row = canvas.height - 1; row >= 0; --row) {
        for (int x = 0; x < canvas.width; ++x) {
            image.pixels.push_back(canvas.indices[static_cast<std::size_t>(row) * canvas.width + x]);
        }
    }
    return image;
}

// Smooth value noise that tiles with the given period (in cells) on both axes.
float ValueNoise(float x, float y, int periodX, int periodY, int seed) {
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const float fx = x - static_cast<float>(x0);
    const float fy = y - static_cast<float>(y0);
    const float sx = fx * fx * (3.0f - 2.0f * fx);
    const float sy = fy * fy * (3.0f - 2.0f * fy);
    auto corner = [&](int cx, int cy) {
        return Hash01(((cx % periodX) + periodX) % periodX, ((cy % periodY) + periodY) % periodY, seed);
    };
    const float top = corner(x0, y0) + (corner(x0 + 1, y0) - corner(x0, y0)) * sx;
    const float bottom = corner(x0, y0 + 1) + (corner(x0 + 1, y0 + 1) - corner(x0, y0 + 1)) * sx;
    return top + (bottom - top) * sy;
}

// Three octaves of tiling noise over a picture of w x h pixels, base cells of cell pixels.
float Fractal(int px, int py, int w, int h, int cell, int seed) {
    float sum = 0.0f;
    float amplitude = 0.5f;
    int c = cell;
    for (int octave = 0; octave < 3 && c >= 1; ++octave) {
        const int periodX = std::max(1, w / c);
        const int periodY = std::max(1, h / c);
        sum +=
            amplitude * ValueNoise(static_cast<float>(px) * periodX / w, static_cast<float>(py) * periodY / h,
                                   periodX, periodY, seed + octave * 101);
        amplitude *= 0.5f;
        c /= 2;
    }
    return sum / 0.875f;
}

// Red brick in running bond: 12 bricks a row, 16 courses. The vertical joints sit symmetric about
// the picture's middle, so the picture looks the same mirrored (the second door shows it so).
writers::BmpImage RedBrick() {
    const int w = 288;
    const int h = 128;
    const int brick = w / 12;
    const int course = h / 16;
    Canvas canvas(w, h);
    const Rgb mortar{196, 186, 168};
    for (int y = 0; y < h; ++y) {
        const int row = y / course;
        const int shift = (row % 2) * (brick / 2);
        for (int x = 0; x < w; ++x) {
            const int along = (x + shift) % brick;
            const int index = ((x + shift) / brick) % 13;
            const bool joint = along == 0 || along == brick - 1 || y % course == course - 1;
            const float grain = Fractal(x, y, w, h, 8, 7);
            if (joint) {
                canvas.At(x, y) = Scale(mortar, 0.85f + 0.2f * grain);
                continue;
            }
            const float tone = Hash01(index, row, 3);
            Rgb base = Mix(Rgb{150, 52, 36}, Rgb{178, 78, 50}, tone);
            if (Hash01(index, row, 11) > 0.85f) {
                base = Mix(base, Rgb{96, 40, 32}, 0.5f); // an over-fired brick now and then
            }
            canvas.At(x, y) = Scale(base, 0.8f + 0.35f * grain);
        }
    }
    return ToTrueColour(canvas);
}

// Pale ashlar: three courses of dressed blocks with thin dark joints.
writers::BmpImage Stone() {
    const int w = 96;
    const int h = 96;
    Canvas canvas(w, h);
    for (int y = 0; y < h; ++y) {
        const int row = y / 32;
        const int shift = row % 2 == 0 ? 0 : 24;
        for (int x = 0; x < w; ++x) {
            const int along = (x + shift) % 48;
            const bool joint = along == 0 || y % 32 == 0;
            const float grain = Fractal(x, y, w, h, 16, 21);
            const float speck = Hash01(x, y, 5);
            const float tone = Hash01((x + shift) / 48, row, 9);
            Rgb base = Mix(Rgb{196, 186, 160}, Rgb{214, 204, 178}, tone);
            base = Scale(base, 0.82f + 0.28f * grain + 0.05f * speck);
            canvas.At(x, y) = joint ? Rgb{120, 112, 98} : base;
        }
    }
    return ToTrueColour(canvas);
}

// A 2 x 2 checker of cream and dark red marble tiles with grey grout, palettised: indices 0..99
// cream shades, 100..199 red shades, 200..255 grout.
writers::BmpImage FloorTiles() {
    const int size = 128;
    IndexedCanvas canvas(size, size);
    for (int i = 0; i < 100; ++i) {
        canvas.palette.push_back(Mix(Rgb{170, 160, 138}, Rgb{236, 228, 206}, i / 99.0f));
    }
    for (int i = 0; i < 100; ++i) {
        canvas.palette.push_back(Mix(Rgb{70, 26, 22}, Rgb{140, 60, 48}, i / 99.0f));
    }
    for (int i = 0; i < 56; ++i) {
        canvas.palette.push_back(Mix(Rgb{80, 78, 74}, Rgb{130, 126, 120}, i / 55.0f));
    }
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const bool grout = x % 64 == 0 || x % 64 == 63 || y % 64 == 0 || y % 64 == 63;
            const float noise = Fractal(x, y, size, size, 32, 41);
            if (grout) {
                canvas.At(x, y) = static_cast<std::uint8_t>(200 + static_cast<int>(noise * 55.0f));
                continue;
            }
            // Marble veins: thin bands where a warped sine crosses zero.
            const float warp = Fractal(x, y, size, size, 16, 43) * 6.0f;
            const float vein = std::fabs(std::sin((x + y) * 0.09f + warp));
            const float shade = std::clamp(0.55f + 0.45f * noise - (vein < 0.12f ? 0.35f : 0.0f), 0.0f, 1.0f);
            const bool dark = ((x / 64) + (y / 64)) % 2 == 1;
            canvas.At(x, y) = static_cast<std::uint8_t>((dark ? 100 : 0) + static_cast<int>(shade * 99.0f));
        }
    }
    return ToPalettised(canvas);
}

// Oak boards with the grain running along s, palettised on a brown ramp.
writers::BmpImage Wood() {
    const int w = 160;
    const int h = 80;
    IndexedCanvas canvas(w, h);
    for (int i = 0; i < 256; ++i) {
        canvas.palette.push_back(Mix(Rgb{62, 36, 18}, Rgb{176, 120, 70}, i / 255.0f));
    }
    for (int y = 0; y < h; ++y) {
        const int board = y / 20;
        for (int x = 0; x < w; ++x) {
            if (y % 20 == 19) {
                canvas.At(x, y) = 10;
                continue;
            }
            const float warp = Fractal(x, y, w, h, 20, 61 + board) * 4.0f;
            const float rings = 0.5f + 0.5f * std::sin(y * 0.9f + warp * 2.0f + board * 1.7f);
            const float fine = Fractal(x, y, w, h, 4, 67);
            const float tone = 0.35f + 0.3f * rings + 0.25f * fine + 0.1f * Hash01(board, 0, 71);
            canvas.At(x, y) = static_cast<std::uint8_t>(std::clamp(tone, 0.0f, 1.0f) * 255.0f);
        }
    }
    return ToPalettised(canvas);
}

// Dark roof boards running the length of the roof (along t), seen from below.
writers::BmpImage RoofBoards() {
    const int size = 128;
    Canvas canvas(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int board = x / 16;
            const bool gap = x % 16 == 0;
            const float grain = Fractal(x, y, size, size, 8, 81 + board);
            const float streak = 0.5f + 0.5f * std::sin(x * 1.3f + grain * 5.0f);
            Rgb base = Mix(Rgb{92, 60, 36}, Rgb{128, 88, 54}, Hash01(board, 1, 83));
            base = Scale(base, 0.78f + 0.2f * streak + 0.15f * grain);
            canvas.At(x, y) = gap ? Rgb{40, 26, 18} : base;
        }
    }
    return ToTrueColour(canvas);
}

// The colours of the stained glass.
constexpr Rgb kGlassColours[] = {{40, 70, 170}, {170, 30, 40}, {220, 180, 50}, {40, 130, 70}, {120, 50, 140}};

// A leaded window of w x h pixels: a round or pointed head over straight sides, stone outside the
// outline, diamond panes of coloured glass inside.
writers::BmpImage Lancet(int w, int h, bool pointed, int seed) {
    Canvas canvas(w, h);
    const float margin = w * 0.12f;
    const float half = w * 0.5f - margin;
    const float cx = w * 0.5f;
    const float springY = pointed ? w * 0.9f : w * 0.5f; // from the top
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const float px = x + 0.5f;
            const float py = y + 0.5f;
            bool inside = px > margin && px < w - margin && py < h - margin;
            if (inside && py < springY) {
                if (pointed) {
                    // Two arcs of radius 2 * half centred on the opposite sides meet in a point.
                    const float r = 2.0f * half;
                    const float dl = std::hypot(px - (cx - half + r), py - springY);
                    const float dr = std::hypot(px - (cx + half - r), py - springY);
                    inside = dl < r && dr < r && py > springY - std::sqrt(r * r - half * half) - 0.5f;
                } else {
                    inside = std::hypot(px - cx, py - springY) < half;
                }
            }
            const float grain = Fractal(x, y, w, h, 8, seed);
            if (!inside) {
                canvas.At(x, y) = Scale(Rgb{190, 180, 156}, 0.8f + 0.25f * grain);
                continue;
            }
            const float u = (px - cx) / 9.0f;
            const float v = py / 9.0f;
            const float du = u + v;
            const float dv = v - u;
            const bool lead =
                std::fabs(du - std::round(du)) < 0.08f || std::fabs(dv - std::round(dv)) < 0.08f;
            if (lead) {
                canvas.At(x, y) = Rgb{34, 34, 38};
                continue;
            }
            const int cellU = static_cast<int>(std::floor(du));
            const int cellV = static_cast<int>(std::floor(dv));
            // The colours are laid out mirror-symmetric about the window's axis.
            const int pick = static_cast<int>(Hash01(std::abs(cellU - cellV), cellU + cellV, seed) * 5.0f);
            canvas.At(x, y) = Scale(kGlassColours[pick], 0.85f + 0.35f * grain);
        }
    }
    return ToTrueColour(canvas);
}

// A rose window: stone corners round a circle of coloured petals between lead spokes.
writers::BmpImage RoseWindow() {
    const int size = 128;
    Canvas canvas(size, size);
    const float c = size * 0.5f;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float dx = x + 0.5f - c;
            const float dy = y + 0.5f - c;
            const float r = std::hypot(dx, dy);
            const float grain = Fractal(x, y, size, size, 16, 91);
            if (r > c - 4.0f) {
                canvas.At(x, y) = Scale(Rgb{190, 180, 156}, 0.8f + 0.25f * grain);
                continue;
            }
            const float angle = std::atan2(dy, dx);
            const float sector = (angle + kPi) / (2.0f * kPi) * 12.0f;
            const float within = sector - std::floor(sector);
            const bool ring =
                std::fabs(r - c * 0.35f) < 1.5f || std::fabs(r - c * 0.75f) < 1.5f || r > c - 7.0f;
            const bool spoke = r > c * 0.35f && (within < 0.06f || within > 0.94f);
            if (ring || spoke || r < 4.0f) {
                canvas.At(x, y) = r > c - 7.0f ? Rgb{150, 140, 120} : Rgb{34, 34, 38};
                continue;
            }
            Rgb colour;
            if (r < c * 0.35f) {
                colour = kGlassColours[2];
            } else if (r < c * 0.75f) {
                colour = kGlassColours[static_cast<int>(std::floor(sector)) % 2 == 0 ? 1 : 0];
            } else {
                colour = kGlassColours[static_cast<int>(std::floor(sector)) % 2 == 0 ? 3 : 4];
            }
            canvas.At(x, y) = Scale(colour, 0.85f + 0.35f * grain);
        }
    }
    return ToTrueColour(canvas);
}

// The switch's sign: a blue ski-run board with a white rim and a white pair of crossed skis and
// poles. Symmetric left to right, since the block shows its picture mirrored on one side.
writers::BmpImage SkiSign() {
    const int size = 64;
    Canvas canvas(size, size);
    const float c = size * 0.5f;
    auto nearLine = [](float px, float py, float ax, float ay, float bx, float by, float width) {
        const float vx = bx - ax;
        const float vy = by - ay;
        const float t = std::clamp(((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy), 0.0f, 1.0f);
        return std::hypot(px - (ax + vx * t), py - (ay + vy * t)) < width;
    };
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float px = x + 0.5f;
            const float py = y + 0.5f;
            const float edge = std::min(std::min(px, size - px), std::min(py, size - py));
            Rgb colour{24, 70, 170};
            if (edge < 3.0f) {
                colour = Rgb{30, 30, 36};
            } else if (edge < 7.0f) {
                colour = Rgb{245, 245, 245};
            }
            const bool skis =
                nearLine(px, py, 14, 14, 50, 52, 2.6f) || nearLine(px, py, 50, 14, 14, 52, 2.6f);
            const bool tips =
                nearLine(px, py, 14, 14, 11, 17, 2.2f) || nearLine(px, py, 50, 14, 53, 17, 2.2f);
            const bool poles =
                nearLine(px, py, c - 9, 12, c + 5, 54, 1.0f) || nearLine(px, py, c + 9, 12, c - 5, 54, 1.0f);
            const bool baskets = std::fabs(std::hypot(px - (c + 3.5f), py - 49) - 3.0f) < 0.9f ||
                                 std::fabs(std::hypot(px - (c - 3.5f), py - 49) - 3.0f) < 0.9f;
            if (edge >= 7.0f && (skis || tips)) {
                colour = Rgb{250, 250, 250};
            } else if (edge >= 7.0f && (poles || baskets)) {
                colour = Rgb{250, 210, 40};
            }
            canvas.At(x, y) = colour;
        }
    }
    return ToTrueColour(canvas);
}

} // namespace

float Hash01(int x, int y, int seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8DA6B343u ^
                      static_cast<std::uint32_t>(y) * 0xD8163841u ^
                      static_cast<std::uint32_t>(seed) * 0xCB1AB31Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return static_cast<float>(h >> 8) / 16777216.0f;
}

std::vector<TextureFile> BuildTextures() {
    std::vector<TextureFile> files;
    const writers::BmpImage brick = RedBrick();
    files.push_back({"RedBrick.bmp", brick});
    files.push_back({"Redbrick.bmp", brick});
    files.push_back({"LEET_SKI.bmp", SkiSign()});
    files.push_back({"STONE.BMP", Stone()});
    files.push_back({"FLOORTIL.BMP", FloorTiles()});
    files.push_back({"WOOD.BMP", Wood()});
    files.push_back({"ROOF.BMP", RoofBoards()});
    files.push_back({"GLASS.BMP", Lancet(60, 200, true, 101)});
    files.push_back({"CLEREST.BMP", Lancet(64, 104, false, 103)});
    files.push_back({"ROSEWIN.BMP", RoseWindow()});
    return files;
}
