// Octree costs on a generated hall of at least 100,000 triangles: the build, the display-list
// compilation, the culled draw per frame and the collision query per sphere.

#include "base/Message.hpp"
#include "bench/BenchContext.hpp"
#include "bench/ThreadCpuTime.hpp"
#include "geometry/Collision.hpp"
#include "geometry/Frustum.hpp"
#include "model/ModelObject.hpp"
#include "model/Reader3DS.hpp"
#include "octree/Octree.hpp"
#include "octree/OctreeStats.hpp"
#include "platform/Platform.hpp"
#include "shell/View.hpp"
#include "tools/reference/BruteForceCollide.hpp"
#include "tools/reference/GeneratedLevel.hpp"

#include <GL/gl.h>
#include <GL/glu.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int kLevelTriangles = 100000;

const Model& Level() {
    static testing_tools::GeneratedLevel level(kLevelTriangles);
    return level.model;
}

using bench_context::OpenContext;

// The view of a player standing in the hall, looking down its length.
void LookDownTheHall() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 640.0 / 480.0, 1.0, 4000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 10, 40, 0, 0, -3, 0, 1, 0);
}

void BM_BuildTree(benchmark::State& state) {
    const Model& level = Level();
    int leafCount = 0;
    for (auto _ : state) {
        Octree root;
        leafCount = root.Build(level).leafCount;
        benchmark::DoNotOptimize(root.subdivided);
    }
    state.counters["triangles"] = double(Octree().CountSceneTriangles(level));
    state.counters["leaves"] = double(leafCount);
}
BENCHMARK(BM_BuildTree)->Unit(benchmark::kMillisecond);

// Builds the tree outside the timing and compiles its lists inside it, once per iteration.
void CompileListsOf(benchmark::State& state, const Model* level) {
    if (!OpenContext()) {
        state.SkipWithError("no OpenGL context");
        return;
    }
    if (level == nullptr) {
        state.SkipWithError("no level to compile");
        return;
    }
    const GLuint textures[30] = {};
    int leaves = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto root = std::make_unique<Octree>();
        leaves = root->Build(*level).leafCount;
        state.ResumeTiming();
        const GLuint first = glGenLists(leaves);
        Octree::CompileLists(*level, textures, 30, root.get(), int(first));
        glFinish();
        state.PauseTiming();
        glDeleteLists(first, leaves);
        state.ResumeTiming();
    }
    state.counters["leaves"] = double(leaves);
}

void BM_CompileLists(benchmark::State& state) {
    CompileListsOf(state, &Level());
}
BENCHMARK(BM_CompileLists)->Unit(benchmark::kMillisecond);

// The tree walk and frustum tests of one frame; the leaves' lists are empty so that the figure is
// the culling cost, not the drawing.
void BM_DrawCulling(benchmark::State& state) {
    if (!OpenContext()) {
        state.SkipWithError("no OpenGL context");
        return;
    }
    static Octree root;
    const int leafCount = root.Build(Level()).leafCount;
    // Compiled against a model without objects, every leaf's list is empty.
    const GLuint first = glGenLists(leafCount);
    const GLuint textures[30] = {};
    Model empty;
    Octree::CompileLists(empty, textures, 30, &root, int(first));
    LookDownTheHall();
    Frustum frustum;
    ExtractPlanes(frustum);
    OctreeStats counts{};
    for (auto _ : state) {
        counts = OctreeStats{};
        Octree::Draw(frustum, &root, Level(), counts);
    }
    state.counters["leaves"] = double(leafCount);
    state.counters["leavesDrawn"] = double(counts.leavesDrawn);
    state.counters["nodesTested"] = double(counts.drawNodesTested);
    glDeleteLists(first, leafCount);
}
BENCHMARK(BM_DrawCulling)->Unit(benchmark::kMicrosecond);

// The church of the build's run folder (JOSTRELA_CHURCH names another file); null when absent.
const Model* Church() {
    static Model church;
    static const bool loaded = [] {
        SetMessageSink([](const char*, const char*, MessageIcon) {});
        const char* path = std::getenv("JOSTRELA_CHURCH");
        for (const char* candidate : {path, "run/MODELOS/church.3DS", "../run/MODELOS/church.3DS"}) {
            if (candidate != nullptr && Read3dsFile(church, candidate)) {
                return true;
            }
        }
        return false;
    }();
    return loaded ? &church : nullptr;
}

void BM_BuildChurch(benchmark::State& state) {
    const Model* church = Church();
    if (church == nullptr) {
        state.SkipWithError("no church.3DS (run from the build folder or set JOSTRELA_CHURCH)");
        return;
    }
    int leafCount = 0;
    for (auto _ : state) {
        Octree root;
        leafCount = root.Build(*church).leafCount;
        benchmark::DoNotOptimize(root.subdivided);
    }
    state.counters["triangles"] = double(Octree().CountSceneTriangles(*church));
    state.counters["leaves"] = double(leafCount);
}
BENCHMARK(BM_BuildChurch)->Unit(benchmark::kMillisecond);

void BM_CompileChurchLists(benchmark::State& state) {
    CompileListsOf(state, Church());
}
BENCHMARK(BM_CompileChurchLists)->Unit(benchmark::kMillisecond);

// Sphere centres spread over the hall, radius 15 as the penguin's.
std::vector<Vector3> QueryCentres() {
    std::mt19937 random(5);
    std::uniform_real_distribution<float> x(-420, 420), y(-60, 180), z(-1020, 220);
    std::vector<Vector3> centres(512);
    for (Vector3& c : centres) {
        c = Vector3(x(random), y(random), z(random));
    }
    return centres;
}

using testing_tools::BruteForceTouches;

void BM_CollideBruteForce(benchmark::State& state) {
    const Model& level = Level();
    const std::vector<Vector3> centres = QueryCentres();
    std::size_t n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(BruteForceTouches(level, centres[n++ % centres.size()], kCollisionRadius));
    }
}
BENCHMARK(BM_CollideBruteForce)->Unit(benchmark::kMicrosecond);

// Collide per query; "speedup" is the brute-force time per query over the octree's, both in this
// thread's CPU time over the same spheres, taken in turns, a block of spheres at a time, so that a
// change in the machine's load falls on both alike.
void BM_CollideOctree(benchmark::State& state) {
    SetMessageSink([](const char*, const char*, MessageIcon) {});
    const Model& level = Level();
    static Octree root;
    root.Build(level);
    OctreeStats counts{};
    ModelObject player("no-such-model.3DS");
    const std::vector<Vector3> centres = QueryCentres();
    std::size_t n = 0;
    for (auto _ : state) {
        player.position = centres[n++ % centres.size()];
        benchmark::DoNotOptimize(root.Collide(player, level, counts));
    }

    // The octree's queries are far cheaper: each block runs them this many times over.
    const int treeRounds = 20;
    const std::size_t block = 32;
    std::uint64_t treeTime = 0;
    std::uint64_t bruteTime = 0;
    int touches = 0;
    int bruteTouches = 0;
    for (std::size_t first = 0; first < centres.size(); first += block) {
        const std::size_t last = std::min(first + block, centres.size());
        std::uint64_t start = bench_time::ThreadNanoseconds();
        for (int round = 0; round < treeRounds; ++round) {
            for (std::size_t i = first; i < last; ++i) {
                player.position = centres[i];
                touches += root.Collide(player, level, counts);
            }
        }
        std::uint64_t now = bench_time::ThreadNanoseconds();
        treeTime += now - start;
        start = now;
        for (std::size_t i = first; i < last; ++i) {
            bruteTouches += BruteForceTouches(level, centres[i], kCollisionRadius);
        }
        bruteTime += bench_time::ThreadNanoseconds() - start;
    }
    state.counters["speedup"] = static_cast<double>(bruteTime) * treeRounds / static_cast<double>(treeTime);
    state.counters["touchShare"] = double(touches / treeRounds) / double(centres.size());
    state.counters["bruteTouchShare"] = double(bruteTouches) / double(centres.size());
}
BENCHMARK(BM_CollideOctree)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
