#include "tools/content/Icon.hpp"

#include "tools/content/Penguin.hpp"

#include "platform/Platform.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

// Each icon pixel is the mean of kSamples x kSamples samples, which smooths the outline.
constexpr int kSamples = 4;
// Empty room round the figure, as a share of the icon's side.
constexpr float kMargin = 0.06f;

struct Sample {
    float depth = std::numeric_limits<float>::infinity();
    float rgb[3] = {0.0f, 0.0f, 0.0f};
    bool covered = false;
};

// The penguin turned a little so its beak and one side show, in view space: x right, y up, z away
// from the viewer.
Vector3 ViewOf(Vector3 p) {
    const float turn = 0.45f; // radians; the figure faces -z, the viewer looks along +z
    const float c = std::cos(turn);
    const float s = std::sin(turn);
    return Vector3(c * p.x + s * p.z, p.y, -s * p.x + c * p.z);
}

// Light from the upper left, in front of the figure.
float Brightness(Vector3 normal) {
    const Vector3 light = Normalized(Vector3(-0.5f, 0.7f, -0.6f));
    return 0.35f + 0.65f * std::max(0.0f, DotProduct(Normalized(normal), light));
}

float EdgeSide(float ax, float ay, float bx, float by, float px, float py) {
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
}

} // namespace

std::vector<std::uint8_t> RenderIcon(int size) {
    Scene penguin;
    BuildPenguin(penguin);
    float low[2] = {std::numeric_limits<float>::max(), std::numeric_limits<float>::max()};
    float high[2] = {std::numeric_limits<float>::lowest(), std::numeric_limits<float>::lowest()};
    for (const MeshPart& part : penguin.parts) {
        for (const Vector3& vertex : part.vertices) {
            const Vector3 v = ViewOf(vertex);
            low[0] = std::min(low[0], v.x), high[0] = std::max(high[0], v.x);
            low[1] = std::min(low[1], v.y), high[1] = std::max(high[1], v.y);
        }
    }
    // One scale for both axes, the figure centred; sample space has y growing downwards.
    const int side = size * kSamples;
    const float room = static_cast<float>(side) * (1.0f - 2.0f * kMargin);
    const float scale = room / std::max(high[0] - low[0], high[1] - low[1]);
    const float centreX = 0.5f * (low[0] + high[0]);
    const float centreY = 0.5f * (low[1] + high[1]);
    const float half = 0.5f * static_cast<float>(side);
    std::vector<Sample> samples(static_cast<std::size_t>(side) * side);
    for (const MeshPart& part : penguin.parts) {
        const MaterialSpec& material = penguin.materials[part.material];
        for (const auto& triangle : part.triangles) {
            Vector3 corner[3];
            float sx[3], sy[3];
            for (int k = 0; k < 3; ++k) {
                corner[k] = ViewOf(part.vertices[triangle[k]]);
                sx[k] = half + (corner[k].x - centreX) * scale;
                sy[k] = half - (corner[k].y - centreY) * scale;
            }
            const Vector3 normal = FaceNormal(corner[0], corner[1], corner[2]);
            // Faces wind counter-clockwise seen from outside: a face turned away is hidden anyway.
            if (normal.z >= 0.0f) {
                continue;
            }
            const float light = Brightness(normal);
            const float area = EdgeSide(sx[0], sy[0], sx[1], sy[1], sx[2], sy[2]);
            if (area == 0.0f) {
                continue;
            }
            const int x0 = std::max(0, static_cast<int>(std::floor(std::min({sx[0], sx[1], sx[2]}))));
            const int x1 = std::min(side - 1, static_cast<int>(std::ceil(std::max({sx[0], sx[1], sx[2]}))));
            const int y0 = std::max(0, static_cast<int>(std::floor(std::min({sy[0], sy[1], sy[2]}))));
            const int y1 = std::min(side - 1, static_cast<int>(std::ceil(std::max({sy[0], sy[1], sy[2]}))));
            for (int y = y0; y <= y1; ++y) {
                for (int x = x0; x <= x1; ++x) {
                    const float px = static_cast<float>(x) + 0.5f;
                    const float py = static_cast<float>(y) + 0.5f;
                    const float w0 = EdgeSide(sx[1], sy[1], sx[2], sy[2], px, py) / area;
                    const float w1 = EdgeSide(sx[2], sy[2], sx[0], sy[0], px, py) / area;
                    const float w2 = 1.0f - w0 - w1;
                    if (w0 < 0.0f || w1 < 0.0f || w2 < 0.0f) {
                        continue;
                    }
                    const float depth = w0 * corner[0].z + w1 * corner[1].z + w2 * corner[2].z;
                    Sample& sample = samples[static_cast<std::size_t>(y) * side + x];
                    if (depth < sample.depth) {
                        sample.depth = depth;
                        sample.covered = true;
                        for (int c = 0; c < 3; ++c) {
                            sample.rgb[c] = std::min(255.0f, material.colour[c] * light);
                        }
                    }
                }
            }
        }
    }
    // Each pixel: the mean colour of its covered samples, as opaque as the share of them.
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(size) * size * 4, 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float sum[3] = {0.0f, 0.0f, 0.0f};
            int covered = 0;
            for (int j = 0; j < kSamples; ++j) {
                for (int i = 0; i < kSamples; ++i) {
                    const Sample& sample =
                        samples[static_cast<std::size_t>(y * kSamples + j) * side + x * kSamples + i];
                    if (sample.covered) {
                        ++covered;
                        for (int c = 0; c < 3; ++c) {
                            sum[c] += sample.rgb[c];
                        }
                    }
                }
            }
            std::uint8_t* pixel = &pixels[(static_cast<std::size_t>(y) * size + x) * 4];
            for (int c = 0; c < 3 && covered > 0; ++c) {
                pixel[c] = static_cast<std::uint8_t>(std::lround(sum[c] / static_cast<float>(covered)));
            }
            pixel[3] =
                static_cast<std::uint8_t>((covered * 255 + kSamples * kSamples / 2) / (kSamples * kSamples));
        }
    }
    return pixels;
}

bool WriteIcon(const std::string& path, int size) {
    const std::vector<std::uint8_t> pixels = RenderIcon(size);
    if (!platform::WritePngFile(path.c_str(), size, size, 4, pixels.data())) {
        std::fprintf(stderr, "jostrela-content: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}
