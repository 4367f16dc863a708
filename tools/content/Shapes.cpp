#include "tools/content/Shapes.hpp"

#include <algorithm>
#include <cmath>

namespace {

constexpr Vector3 kUp(0.0f, 1.0f, 0.0f);

int CellsFor(float length, float cell) {
    return std::max(1, static_cast<int>(std::ceil(length / cell - 1e-3f)));
}

// The breakpoints of [lo, hi]: its ends, the cuts that fall inside, then every interval cut again
// into pieces no longer than the cell size for its height (below or above split).
std::vector<float> Breakpoints(float lo, float hi, std::vector<float> cuts, float split, float cellBelow,
                               float cellAbove) {
    cuts.push_back(lo);
    cuts.push_back(hi);
    if (split > lo && split < hi) {
        cuts.push_back(split);
    }
    std::vector<float> sorted;
    for (float c : cuts) {
        if (c >= lo && c <= hi) {
            sorted.push_back(c);
        }
    }
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(
        std::unique(sorted.begin(), sorted.end(), [](float p, float q) { return std::fabs(p - q) < 1e-3f; }),
        sorted.end());
    std::vector<float> points;
    for (std::size_t i = 0; i + 1 < sorted.size(); ++i) {
        const float p = sorted[i];
        const float q = sorted[i + 1];
        const int n = CellsFor(q - p, (p + q) * 0.5f < split ? cellBelow : cellAbove);
        for (int k = 0; k < n; ++k) {
            points.push_back(p + (q - p) * static_cast<float>(k) / static_cast<float>(n));
        }
    }
    points.push_back(sorted.back());
    return points;
}

Vector3 FramePoint(const WallFrame& frame, float a, float y) {
    return frame.origin + frame.along * a + kUp * y;
}

} // namespace

UvMap WallMap(Vector3 facing, float sTile, float tTile, float sOffset, float tOffset) {
    UvMap map;
    map.sAxis = Vector3(facing.z, 0.0f, -facing.x);
    map.tAxis = kUp;
    map.sTile = sTile;
    map.tTile = tTile;
    map.sOffset = sOffset;
    map.tOffset = tOffset;
    return map;
}

UvMap FacingMap(Vector3 facing, const UvMap& tiles) {
    if (std::fabs(facing.y) > 0.7f) {
        return FloorMap(tiles.sTile, tiles.tTile);
    }
    return WallMap(facing, tiles.sTile, tiles.tTile);
}

UvMap FloorMap(float sTile, float tTile) {
    UvMap map;
    map.sAxis = Vector3(1.0f, 0.0f, 0.0f);
    map.tAxis = Vector3(0.0f, 0.0f, -1.0f);
    map.sTile = sTile;
    map.tTile = tTile;
    return map;
}

void AddGridRect(MeshPart& part, Vector3 origin, Vector3 U, Vector3 V, float uLen, float vLen, float cellU,
                 float cellV, Vector3 facing, const UvMap& map) {
    const int nu = CellsFor(uLen, cellU);
    const int nv = CellsFor(vLen, cellV);
    for (int j = 0; j < nv; ++j) {
        const float v0 = vLen * static_cast<float>(j) / static_cast<float>(nv);
        const float v1 = vLen * static_cast<float>(j + 1) / static_cast<float>(nv);
        for (int i = 0; i < nu; ++i) {
            const float u0 = uLen * static_cast<float>(i) / static_cast<float>(nu);
            const float u1 = uLen * static_cast<float>(i + 1) / static_cast<float>(nu);
            AddQuad(part, origin + U * u0 + V * v0, origin + U * u1 + V * v0, origin + U * u1 + V * v1,
                    origin + U * u0 + V * v1, facing, map);
        }
    }
}

void AddBox(MeshPart& part, Vector3 lo, Vector3 hi, float tile, float cell, int faces, float tileHeight) {
    const float tall = tileHeight > 0.0f ? tileHeight : tile;
    const Vector3 X(1.0f, 0.0f, 0.0f);
    const Vector3 Z(0.0f, 0.0f, 1.0f);
    const float dx = hi.x - lo.x;
    const float dy = hi.y - lo.y;
    const float dz = hi.z - lo.z;
    if (faces & kBoxLeft) {
        AddGridRect(part, lo, Z, kUp, dz, dy, cell, cell, X * -1.0f, WallMap(X * -1.0f, tile, tall));
    }
    if (faces & kBoxRight) {
        AddGridRect(part, Vector3(hi.x, lo.y, lo.z), Z, kUp, dz, dy, cell, cell, X, WallMap(X, tile, tall));
    }
    if (faces & kBoxBack) {
        AddGridRect(part, lo, X, kUp, dx, dy, cell, cell, Z * -1.0f, WallMap(Z * -1.0f, tile, tall));
    }
    if (faces & kBoxFront) {
        AddGridRect(part, Vector3(lo.x, lo.y, hi.z), X, kUp, dx, dy, cell, cell, Z, WallMap(Z, tile, tall));
    }
    if (faces & kBoxBottom) {
        AddGridRect(part, lo, X, Z, dx, dz, cell, cell, kUp * -1.0f, FloorMap(tile, tall));
    }
    if (faces & kBoxTop) {
        AddGridRect(part, Vector3(lo.x, hi.y, lo.z), X, Z, dx, dz, cell, cell, kUp, FloorMap(tile, tall));
    }
}

void AddSmoothGrid(MeshPart& part, const std::vector<Vector3>& points, const std::vector<TexCoord>& uvs,
                   int rows, int cols, Vector3 inside) {
    const std::size_t base = part.vertices.size();
    const int stride = cols + 1;
    int votes = 0;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const Vector3 a = points[r * stride + c];
            const Vector3 b = points[r * stride + c + 1];
            const Vector3 d = points[(r + 1) * stride + c + 1];
            const Vector3 centre = (a + b + d) / 3.0f;
            votes += DotProduct(FaceNormal(a, b, d), centre - inside) >= 0.0f ? 1 : -1;
        }
    }
    const bool reverse = votes < 0;
    if (base + points.size() > 65535) {
        std::fprintf(stderr, "jostrela-content: object %s has too many vertices\n", part.name.c_str());
        std::exit(1);
    }
    part.vertices.insert(part.vertices.end(), points.begin(), points.end());
    part.texCoords.insert(part.texCoords.end(), uvs.begin(), uvs.end());
    auto emit = [&](int i, int j, int k) {
        const Vector3 n = FaceNormal(points[i], points[j], points[k]);
        if (Length(n) < 1e-5f) {
            return;
        }
        const auto at = [&](int q) { return static_cast<std::uint16_t>(base + q); };
        if (reverse) {
            part.triangles.push_back({at(i), at(k), at(j)});
        } else {
            part.triangles.push_back({at(i), at(j), at(k)});
        }
    };
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const int a = r * stride + c;
            emit(a, a + 1, a + stride + 1);
            emit(a, a + stride + 1, a + stride);
        }
    }
}

void AddCylinder(MeshPart& part, float cx, float cz, float y0, float y1, float radius, int segments, int rows,
                 float tile) {
    std::vector<Vector3> points;
    std::vector<TexCoord> uvs;
    const float around = 2.0f * kPi * radius / tile;
    for (int r = 0; r <= rows; ++r) {
        const float y = y0 + (y1 - y0) * static_cast<float>(r) / static_cast<float>(rows);
        for (int c = 0; c <= segments; ++c) {
            const float f = static_cast<float>(c) / static_cast<float>(segments);
            const float angle = 2.0f * kPi * f;
            points.push_back(Vector3(cx + radius * std::sin(angle), y, cz + radius * std::cos(angle)));
            uvs.push_back(TexCoord{f * std::max(1.0f, std::round(around)), y / tile});
        }
    }
    AddSmoothGrid(part, points, uvs, rows, segments, Vector3(cx, (y0 + y1) * 0.5f, cz));
}

void AddDisc(MeshPart& part, float cx, float y, float cz, float radius, int segments, bool up, float tile) {
    std::vector<Vector3> ring;
    for (int c = 0; c < segments; ++c) {
        const float angle = 2.0f * kPi * static_cast<float>(c) / static_cast<float>(segments);
        ring.push_back(Vector3(cx + radius * std::sin(angle), y, cz + radius * std::cos(angle)));
    }
    AddPolygon(part, ring.data(), segments, kUp * (up ? 1.0f : -1.0f), FloorMap(tile, tile));
}

void AddWall(MeshPart& part, const WallFrame& frame, float a0, float a1, float y0, float y1,
             const std::vector<Opening>& openings, const WallCells& cells, const UvMap& frontMap,
             const UvMap& backMap, const UvMap& revealMap, int faces) {
    std::vector<float> aCuts;
    std::vector<float> yCuts;
    for (const Opening& o : openings) {
        aCuts.push_back(o.a0);
        aCuts.push_back(o.a1);
        yCuts.push_back(o.y0);
        yCuts.push_back(o.y1);
    }
    const std::vector<float> as = Breakpoints(a0, a1, aCuts, -1e30f, cells.cellA, cells.cellA);
    const std::vector<float> ys = Breakpoints(y0, y1, yCuts, cells.bandTop, cells.cellLow, cells.cellHigh);
    const Vector3 back = frame.front * -frame.thickness;
    const auto emit = [&](float aLo, float aHi, float yLo, float yHi) {
        const Vector3 p00 = FramePoint(frame, aLo, yLo);
        const Vector3 p10 = FramePoint(frame, aHi, yLo);
        const Vector3 p11 = FramePoint(frame, aHi, yHi);
        const Vector3 p01 = FramePoint(frame, aLo, yHi);
        if (faces & kWallFront) {
            AddQuad(part, p00, p10, p11, p01, frame.front, frontMap);
        }
        if (faces & kWallBack) {
            AddQuad(part, p00 + back, p10 + back, p11 + back, p01 + back, frame.front * -1.0f, backMap);
        }
    };
    // Row by row, each run of solid cells becomes one quad as long as it stays within the cell
    // size: every triangle costs the game work each frame it is drawn.
    for (std::size_t j = 0; j + 1 < ys.size(); ++j) {
        const float ym = (ys[j] + ys[j + 1]) * 0.5f;
        float runStart = 0.0f;
        bool inRun = false;
        for (std::size_t i = 0; i + 1 < as.size(); ++i) {
            const float am = (as[i] + as[i + 1]) * 0.5f;
            bool open = false;
            for (const Opening& o : openings) {
                open = open || (am > o.a0 && am < o.a1 && ym > o.y0 && ym < o.y1);
            }
            if (inRun && (open || as[i + 1] - runStart > cells.cellA + 1e-3f)) {
                emit(runStart, as[i], ys[j], ys[j + 1]);
                inRun = false;
            }
            if (!open && !inRun) {
                runStart = as[i];
                inRun = true;
            }
        }
        if (inRun) {
            emit(runStart, as.back(), ys[j], ys[j + 1]);
        }
    }
    const Vector3 depth = frame.front * -1.0f;
    // Reveals: each mapped across its own face, with the tile sizes of revealMap.
    const Vector3 down = kUp * -1.0f;
    const Vector3 backward = frame.along * -1.0f;
    for (const Opening& o : openings) {
        const float lo = std::max(o.y0, y0);
        const float hi = std::min(o.y1, y1);
        AddGridRect(part, FramePoint(frame, o.a0, lo), depth, kUp, frame.thickness, hi - lo, frame.thickness,
                    cells.cellLow, frame.along, FacingMap(frame.along, revealMap));
        AddGridRect(part, FramePoint(frame, o.a1, lo), depth, kUp, frame.thickness, hi - lo, frame.thickness,
                    cells.cellLow, backward, FacingMap(backward, revealMap));
        if (o.y1 < y1) {
            AddGridRect(part, FramePoint(frame, o.a0, o.y1), frame.along, depth, o.a1 - o.a0, frame.thickness,
                        cells.cellA, frame.thickness, down, FacingMap(down, revealMap));
        }
        if (o.y0 > y0) {
            AddGridRect(part, FramePoint(frame, o.a0, o.y0), frame.along, depth, o.a1 - o.a0, frame.thickness,
                        cells.cellA, frame.thickness, kUp, FacingMap(kUp, revealMap));
        }
    }
}

void AddArchPanel(MeshPart& part, MeshPart& soffit, const WallFrame& frame, float a0, float a1, float ySpring,
                  float yTop, int segments, const UvMap& frontMap, const UvMap& backMap,
                  const UvMap& soffitMap) {
    const float ac = (a0 + a1) * 0.5f;
    const float r = (a1 - a0) * 0.5f;
    const float h = yTop - ySpring;
    const Vector3 back = frame.front * -frame.thickness;
    // Corner angles of the panel seen from the arch centre: the outer outline turns there.
    const float cornerLeft = std::atan2(h, a0 - ac);
    const float cornerRight = std::atan2(h, a1 - ac);
    auto outline = [&](float angle) {
        const float c = std::cos(angle);
        const float s = std::sin(angle);
        float t = 1e30f;
        if (c < -1e-6f) {
            t = std::min(t, (a0 - ac) / c);
        }
        if (c > 1e-6f) {
            t = std::min(t, (a1 - ac) / c);
        }
        if (s > 1e-6f) {
            t = std::min(t, h / s);
        }
        return std::pair<float, float>(ac + c * t, ySpring + s * t);
    };
    float arc = 0.0f;
    for (int i = 0; i < segments; ++i) {
        const float t0 = kPi * (1.0f - static_cast<float>(i) / static_cast<float>(segments));
        const float t1 = kPi * (1.0f - static_cast<float>(i + 1) / static_cast<float>(segments));
        std::vector<std::pair<float, float>> poly;
        poly.push_back({ac + r * std::cos(t0), ySpring + r * std::sin(t0)});
        poly.push_back({ac + r * std::cos(t1), ySpring + r * std::sin(t1)});
        poly.push_back(outline(t1));
        if (cornerRight < t0 && cornerRight > t1) {
            poly.push_back({a1, yTop});
        }
        if (cornerLeft < t0 && cornerLeft > t1) {
            poly.push_back({a0, yTop});
        }
        poly.push_back(outline(t0));
        std::vector<Vector3> front;
        std::vector<Vector3> rear;
        for (const auto& p : poly) {
            front.push_back(FramePoint(frame, p.first, p.second));
            rear.push_back(FramePoint(frame, p.first, p.second) + back);
        }
        AddPolygon(part, front.data(), static_cast<int>(front.size()), frame.front, frontMap);
        AddPolygon(part, rear.data(), static_cast<int>(rear.size()), frame.front * -1.0f, backMap);
        const Vector3 q0 = FramePoint(frame, poly[0].first, poly[0].second);
        const Vector3 q1 = FramePoint(frame, poly[1].first, poly[1].second);
        const Vector3 centre = FramePoint(frame, ac, ySpring) + back * 0.5f;
        // The underside's texture runs across the wall and round the curve, continuing from one
        // segment to the next.
        UvMap map = soffitMap;
        map.sAxis = frame.front;
        map.tAxis = Normalized(q1 - q0);
        map.sOffset = 0.0f;
        map.tOffset = (arc - DotProduct(q0, map.tAxis)) / map.tTile;
        arc += Length(q1 - q0);
        AddQuad(soffit, q0, q1, q1 + back, q0 + back, centre - (q0 + q1) * 0.5f, map);
    }
}
