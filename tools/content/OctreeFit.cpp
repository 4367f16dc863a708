#include "tools/content/OctreeFit.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

constexpr int kGridCells = 16; // four levels of halving

float& At(Vector3& v, int axis) {
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}
float At(const Vector3& v, int axis) {
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

struct Corner {
    Vector3 p;
    TexCoord uv;
};
using Polygon = std::vector<Corner>;

bool Before(const Vector3& a, const Vector3& b) {
    if (a.x != b.x) {
        return a.x < b.x;
    }
    if (a.y != b.y) {
        return a.y < b.y;
    }
    return a.z < b.z;
}

// The point of edge a-b on the plane (axis = plane), worked out from the edge's ends in a fixed
// order, so that the two faces sharing an edge get the very same point.
Corner Crossing(const Corner& a, const Corner& b, int axis, float plane) {
    const Corner& lo = Before(a.p, b.p) ? a : b;
    const Corner& hi = Before(a.p, b.p) ? b : a;
    const float t = (plane - At(lo.p, axis)) / (At(hi.p, axis) - At(lo.p, axis));
    Corner c;
    c.p = lo.p + (hi.p - lo.p) * t;
    At(c.p, axis) = plane;
    c.uv.u = lo.uv.u + (hi.uv.u - lo.uv.u) * t;
    c.uv.v = lo.uv.v + (hi.uv.v - lo.uv.v) * t;
    return c;
}

// Splits the convex polygon at the plane into the part below and the part above it (either may be
// empty); corners on the plane go to both.
void Split(const Polygon& poly, int axis, float plane, Polygon& below, Polygon& above) {
    below.clear();
    above.clear();
    for (std::size_t i = 0; i < poly.size(); ++i) {
        const Corner& a = poly[i];
        const Corner& b = poly[(i + 1) % poly.size()];
        const float da = At(a.p, axis) - plane;
        const float db = At(b.p, axis) - plane;
        if (da <= 0.0f) {
            below.push_back(a);
        }
        if (da >= 0.0f) {
            above.push_back(a);
        }
        if ((da < 0.0f && db > 0.0f) || (da > 0.0f && db < 0.0f)) {
            const Corner c = Crossing(a, b, axis, plane);
            below.push_back(c);
            above.push_back(c);
        }
    }
    if (below.size() < 3) {
        below.clear();
    }
    if (above.size() < 3) {
        above.clear();
    }
}

// Cuts poly along every grid plane that passes through its inside, into pieces.
void Cut(const Polygon& poly, const std::vector<float> planes[3], std::vector<Polygon>& pieces) {
    std::vector<Polygon> work{poly};
    for (int axis = 0; axis < 3; ++axis) {
        std::vector<Polygon> next;
        for (const Polygon& piece : work) {
            float lo = 1e30f, hi = -1e30f;
            for (const Corner& c : piece) {
                lo = std::min(lo, At(c.p, axis));
                hi = std::max(hi, At(c.p, axis));
            }
            Polygon rest = piece;
            for (float plane : planes[axis]) {
                if (plane <= lo || plane >= hi) {
                    continue;
                }
                Polygon below, above;
                Split(rest, axis, plane, below, above);
                if (!below.empty()) {
                    next.push_back(below);
                }
                rest = above;
                if (rest.empty()) {
                    break;
                }
            }
            if (!rest.empty()) {
                next.push_back(rest);
            }
        }
        work.swap(next);
    }
    pieces.insert(pieces.end(), work.begin(), work.end());
}

// Moves the piece's corners that lie on a grid plane (or a rounding step beyond it) one float step
// into the grid cell of the piece's centre; a piece lying in a plane goes to the cell above it.
void Nudge(Polygon& piece, const std::vector<float> planes[3]) {
    for (int axis = 0; axis < 3; ++axis) {
        float centre = 0.0f;
        for (const Corner& c : piece) {
            centre += At(c.p, axis);
        }
        centre /= static_cast<float>(piece.size());
        const std::vector<float>& ps = planes[axis];
        // The cell [low, high) holding the centre, with the root's own faces as open ends.
        const auto upper = std::upper_bound(ps.begin(), ps.end(), centre);
        const float low = upper == ps.begin() ? -INFINITY : *(upper - 1);
        const float high = upper == ps.end() ? INFINITY : *upper;
        for (Corner& c : piece) {
            float& v = At(c.p, axis);
            if (v <= low) {
                v = std::nextafter(low, INFINITY);
            } else if (v >= high) {
                v = std::nextafter(high, -INFINITY);
            }
        }
    }
}

void Emit(MeshPart& part, const Polygon& piece) {
    CheckVertexRoom(part, piece.size());
    const std::size_t base = part.vertices.size();
    for (const Corner& c : piece) {
        part.vertices.push_back(c.p);
        part.texCoords.push_back(c.uv);
    }
    AddFan(part, base);
}

// True for each triangle that shares a vertex with a triangle of another direction: smooth shading,
// which cutting would lose.
std::vector<bool> SmoothTriangles(const MeshPart& part) {
    std::vector<Vector3> normal(part.vertices.size(), Vector3(0.0f, 0.0f, 0.0f));
    std::vector<bool> mixed(part.vertices.size(), false);
    for (const auto& t : part.triangles) {
        const Vector3 n =
            Normalized(FaceNormal(part.vertices[t[0]], part.vertices[t[1]], part.vertices[t[2]]));
        for (int k = 0; k < 3; ++k) {
            if (Length(normal[t[k]]) == 0.0f) {
                normal[t[k]] = n;
            } else if (DotProduct(normal[t[k]], n) < 0.9999f) {
                mixed[t[k]] = true;
            }
        }
    }
    std::vector<bool> smooth;
    for (const auto& t : part.triangles) {
        smooth.push_back(mixed[t[0]] || mixed[t[1]] || mixed[t[2]]);
    }
    return smooth;
}

// Adds one vertex to the running float sums, as the game's measure does.
void Accumulate(Vector3& sum, Vector3 v) {
    sum = sum + v;
}

// The float total whose division by count (as the game divides) gives exactly c, searched outward
// from the nearest float to c * count; false when there is none near (then another count will do).
bool TotalFor(float c, float count, float& total) {
    const float start = static_cast<float>(static_cast<double>(c) * static_cast<double>(count));
    float up = start, down = start;
    for (int step = 0; step < 64; ++step) {
        if (up / count == c || down / count == c) {
            total = up / count == c ? up : down;
            return true;
        }
        up = std::nextafter(up, INFINITY);
        down = std::nextafter(down, -INFINITY);
    }
    return false;
}

// Appends the anchor object: a tiny triangle under the floor at the cube's centre, two vertices on
// the cube's faces across x (the width), then vertices that steer the float sums onto the totals
// whose mean is the centre, the last one landing them exactly.
void Anchor(Scene& scene, const RootCube& cube, float floorY) {
    Vector3 sum(0.0f, 0.0f, 0.0f);
    std::size_t count = 0;
    for (const MeshPart& part : scene.parts) {
        for (const Vector3& v : part.vertices) {
            Accumulate(sum, v);
        }
        count += part.vertices.size();
    }
    const Vector3 c = cube.centre;
    const float half = cube.width * 0.5f;
    const float reach = half - 2.0f; // steering vertices stay well inside the cube
    std::vector<Vector3> fixed = {Vector3(c.x, floorY - 2.0f, c.z), Vector3(c.x + 1.0f, floorY - 2.0f, c.z),
                                  Vector3(c.x, floorY - 2.0f, c.z - 1.0f), Vector3(c.x - half, c.y, c.z),
                                  Vector3(c.x + half, c.y, c.z)};
    for (const Vector3& v : fixed) {
        Accumulate(sum, v);
    }
    count += fixed.size();
    // Enough steering vertices that each moves the sums by at most half its reach.
    std::size_t steer = 1;
    Vector3 total;
    for (;; ++steer) {
        const float n = static_cast<float>(count + steer);
        bool fits = TotalFor(c.x, n, total.x) && TotalFor(c.y, n, total.y) && TotalFor(c.z, n, total.z);
        for (int axis = 0; axis < 3; ++axis) {
            const double need = static_cast<double>(At(total, axis)) - At(sum, axis);
            fits = fits && std::fabs(need / static_cast<double>(steer) - At(c, axis)) <= reach * 0.5;
        }
        if (fits) {
            break;
        }
    }
    MeshPart& part = scene.Part("Anchor", 0);
    for (const Vector3& v : fixed) {
        part.vertices.push_back(v);
        part.texCoords.push_back(TexCoord{0.0f, 0.0f});
    }
    part.triangles.push_back({0, 2, 1});
    for (std::size_t i = 0; i < steer; ++i) {
        const std::size_t left = steer - i;
        Vector3 v;
        for (int axis = 0; axis < 3; ++axis) {
            const double need = static_cast<double>(At(total, axis)) - At(sum, axis);
            const float lo = At(c, axis) - reach, hi = At(c, axis) + reach;
            // The last vertex takes exactly what is missing (exact: the sum and the total are close).
            At(v, axis) = left == 1
                              ? At(total, axis) - At(sum, axis)
                              : std::clamp(static_cast<float>(need / static_cast<double>(left)), lo, hi);
        }
        Accumulate(sum, v);
        part.vertices.push_back(v);
        part.texCoords.push_back(TexCoord{0.0f, 0.0f});
    }
    if (part.vertices.size() > 65535) {
        std::fprintf(stderr, "jostrela-content: the anchor object needs too many vertices\n");
        std::exit(1);
    }
}

} // namespace

RootCube MeasureRootCube(const Scene& scene) {
    RootCube cube{Vector3(0.0f, 0.0f, 0.0f), 0.0f};
    std::int64_t count = 0;
    for (const MeshPart& part : scene.parts) {
        for (const Vector3& v : part.vertices) {
            Accumulate(cube.centre, v);
        }
        count += static_cast<std::int64_t>(part.vertices.size());
    }
    if (count == 0) {
        return cube;
    }
    const float divisor = static_cast<float>(count);
    cube.centre = Vector3(cube.centre.x / divisor, cube.centre.y / divisor, cube.centre.z / divisor);
    for (const MeshPart& part : scene.parts) {
        for (const Vector3& v : part.vertices) {
            for (int axis = 0; axis < 3; ++axis) {
                cube.width = std::max(cube.width, std::fabs(std::trunc(At(v, axis) - At(cube.centre, axis))));
            }
        }
    }
    cube.width *= 2.0f;
    return cube;
}

std::vector<float> GridPlanes(const RootCube& cube, int axis) {
    std::vector<float> planes;
    const float step = cube.width / static_cast<float>(kGridCells);
    for (int k = 1; k < kGridCells; ++k) {
        planes.push_back(At(cube.centre, axis) + static_cast<float>(k - kGridCells / 2) * step);
    }
    return planes;
}

RootCube FitToOctree(Scene& scene) {
    // The cube: centred on the middle of the level's box, on half units so that no plane meets the
    // whole-unit walls and floors; as wide as a multiple of 64, so that every plane is exact.
    Vector3 lo(1e30f, 1e30f, 1e30f), hi(-1e30f, -1e30f, -1e30f);
    for (const MeshPart& part : scene.parts) {
        for (const Vector3& v : part.vertices) {
            lo = Vector3(std::min(lo.x, v.x), std::min(lo.y, v.y), std::min(lo.z, v.z));
            hi = Vector3(std::max(hi.x, v.x), std::max(hi.y, v.y), std::max(hi.z, v.z));
        }
    }
    RootCube cube;
    float half = 0.0f;
    for (int axis = 0; axis < 3; ++axis) {
        At(cube.centre, axis) = std::floor((At(lo, axis) + At(hi, axis)) * 0.5f) + 0.5f;
        half = std::max({half, At(cube.centre, axis) - At(lo, axis), At(hi, axis) - At(cube.centre, axis)});
    }
    cube.width = 64.0f * std::ceil((2.0f * half + 8.0f) / 64.0f);
    const std::vector<float> planes[3] = {GridPlanes(cube, 0), GridPlanes(cube, 1), GridPlanes(cube, 2)};

    Scene cut;
    cut.materials = scene.materials;
    cut.faceLimit = scene.faceLimit;
    std::vector<Polygon> pieces;
    for (const MeshPart& part : scene.parts) {
        const std::vector<bool> smooth = SmoothTriangles(part);
        std::map<std::uint16_t, std::uint16_t> kept; // smooth vertices, shared as before, in keptIn
        const MeshPart* keptIn = nullptr;
        for (std::size_t i = 0; i < part.triangles.size(); ++i) {
            const auto& t = part.triangles[i];
            MeshPart& out = cut.Part(part.family, part.material);
            if (smooth[i]) {
                if (keptIn != &out) {
                    kept.clear();
                    keptIn = &out;
                }
                std::array<std::uint16_t, 3> face;
                for (int k = 0; k < 3; ++k) {
                    auto found = kept.find(t[k]);
                    if (found == kept.end()) {
                        found = kept.insert_or_assign(t[k], static_cast<std::uint16_t>(out.vertices.size()))
                                    .first;
                        out.vertices.push_back(part.vertices[t[k]]);
                        out.texCoords.push_back(part.texCoords[t[k]]);
                    }
                    face[k] = found->second;
                }
                out.triangles.push_back(face);
                continue;
            }
            Polygon poly;
            for (int k = 0; k < 3; ++k) {
                poly.push_back(Corner{part.vertices[t[k]], part.texCoords[t[k]]});
            }
            pieces.clear();
            Cut(poly, planes, pieces);
            for (Polygon& piece : pieces) {
                Nudge(piece, planes);
                Emit(cut.Part(part.family, part.material), piece);
            }
        }
    }
    // The level's lowest point is the floor's underside.
    Anchor(cut, cube, lo.y);
    const RootCube measured = MeasureRootCube(cut);
    if (measured.centre.x != cube.centre.x || measured.centre.y != cube.centre.y ||
        measured.centre.z != cube.centre.z || measured.width != cube.width) {
        std::fprintf(stderr, "jostrela-content: the level's root cube came out as (%g, %g, %g) x %g\n",
                     static_cast<double>(measured.centre.x), static_cast<double>(measured.centre.y),
                     static_cast<double>(measured.centre.z), static_cast<double>(measured.width));
        std::exit(1);
    }
    scene = std::move(cut);
    return cube;
}
