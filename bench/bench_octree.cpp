// Octree costs on a generated hall of at least 100,000 triangles: the build, the display-list
// compilation, the culled draw per frame and the collision query per sphere.

#include "geometry/Frustum.hpp"
#include "octree/Octree.hpp"
#include "octree/OctreeStats.hpp"
#include "platform/Platform.hpp"
#include "tests/helpers/GeneratedLevel.hpp"

#include <GL/gl.h>
#include <GL/glu.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

const int kLevelTriangles = 100000;

const Model& Level() {
    static testing_tools::GeneratedLevel level(kLevelTriangles);
    return level.model;
}

void BuildTree(Octree& root, const Model& model) {
    leafCount = 0;
    root.MeasureScene(&model);
    root.BuildNode(model, root.CountSceneTriangles(model), root.GetCentre(), root.GetWidth());
}

// A hidden window with a current context for the benchmarks that need GL; opened once.
bool OpenContext() {
    static bool open = [] {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        platform::Module* module = platform::ModuleInstance();
        if (!platform::RegisterWindowClass("jostrela-bench", module)) {
            return false;
        }
        platform::Window* window =
            platform::CreateWindow("jostrela-bench", platform::WindowStyle::Hidden, 0, 0, 640, 480, 32);
        platform::DeviceContext* surface = platform::GetDeviceContext(window);
        platform::GLContext* context = surface != nullptr ? platform::CreateGLContext(surface) : nullptr;
        if (context == nullptr || !platform::MakeCurrent(surface, context)) {
            return false;
        }
        glViewport(0, 0, 640, 480);
        return true;
    }();
    return open;
}

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
    for (auto _ : state) {
        Octree root;
        BuildTree(root, level);
        benchmark::DoNotOptimize(root.subdivided);
    }
    state.counters["triangles"] = double(Octree().CountSceneTriangles(level));
    state.counters["leaves"] = double(leafCount);
}
BENCHMARK(BM_BuildTree)->Unit(benchmark::kMillisecond);

void BM_CompileLists(benchmark::State& state) {
    if (!OpenContext()) {
        state.SkipWithError("no OpenGL context");
        return;
    }
    const Model& level = Level();
    const GLuint textures[30] = {};
    int leaves = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto root = std::make_unique<Octree>();
        BuildTree(*root, level);
        leaves = leafCount;
        state.ResumeTiming();
        const GLuint first = glGenLists(leaves);
        Octree::CompileLists(level, textures, 30, root.get(), int(first));
        glFinish();
        state.PauseTiming();
        glDeleteLists(first, leaves);
        state.ResumeTiming();
    }
    state.counters["leaves"] = double(leaves);
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
    BuildTree(root, Level());
    // Compiled against a model without objects, every leaf's list is empty.
    const GLuint first = glGenLists(leafCount);
    const GLuint textures[30] = {};
    Model empty;
    Octree::CompileLists(empty, textures, 30, &root, int(first));
    LookDownTheHall();
    Frustum frustum;
    frustum.ExtractPlanes();
    for (auto _ : state) {
        octreeStats = OctreeStats{};
        Octree::Draw(frustum, &root, Level());
    }
    state.counters["leaves"] = double(leafCount);
    state.counters["leavesDrawn"] = double(octreeStats.leavesDrawn);
    state.counters["nodesTested"] = double(octreeStats.drawNodesTested);
    glDeleteLists(first, leafCount);
}
BENCHMARK(BM_DrawCulling)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
