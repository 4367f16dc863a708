// Several players: the rules' CPU time per frame for one and for four players in the game's church,
// the drawn eye's per frame (free in the nave, and backed into the west wall, where every lifted line
// is tried),
// and a drawn frame of the church with four penguins in view against one (the extra penguins should
// cost their own drawing and nothing else).

#include "bench/BenchContext.hpp"
#include "bench/BenchFiles.hpp"
#include "geometry/Frustum.hpp"
#include "model/ModelObject.hpp"
#include "octree/Octree.hpp"
#include "octree/OctreeStats.hpp"
#include "play/RulesStep.hpp"
#include "shell/DrawnView.hpp"
#include "shell/View.hpp"

#include <GL/gl.h>
#include <GL/glu.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <string>

namespace {

// The game's models, read from the run folder (textures are read from there too).
struct Scene {
    ModelObject penguin;
    ModelObject level;
    Octree octree;
    int leafCount = 0;
    bool listsMade = false;

    Scene()
        : penguin((bench_files::RunFolder() + "/MODELOS/pinguino.3DS").c_str()),
          level(bench_files::ChurchPath().c_str()) {
        leafCount = octree.Build(level.model).leafCount;
    }

    RulesLevel Rules() const { return RulesLevel{&octree, &level.model, penguin.radius}; }
};

Scene& TheScene() {
    static Scene scene;
    return scene;
}

// Keys that walk each player round the nave: forward, turning now and then, a jump, F.
KeyMask KeysFor(int slot, std::uint32_t frame) {
    const std::uint32_t phase = (frame / 15 + static_cast<std::uint32_t>(slot) * 3) % 8;
    static const KeyMask pattern[8] = {keybit::kW, keybit::kW | keybit::kLeft,  keybit::kW, keybit::kD,
                                       keybit::kS, keybit::kW | keybit::kSpace, keybit::kA, keybit::kF};
    return pattern[phase];
}

void BM_RulesStep(benchmark::State& state) {
    Scene& scene = TheScene();
    const int players = static_cast<int>(state.range(0));
    SimState sim = EmptyState();
    for (int slot = 0; slot < players; ++slot) {
        AddPlayer(sim, scene.Rules(), slot);
    }
    OctreeStats counts{};
    for (auto _ : state) {
        KeyMask keys[kMaxPlayers] = {};
        for (int slot = 0; slot < players; ++slot) {
            keys[slot] = KeysFor(slot, sim.frame);
        }
        benchmark::DoNotOptimize(StepRules(sim, scene.Rules(), keys, counts));
    }
    state.counters["facesTested/frame"] =
        benchmark::Counter(double(counts.facesTested), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_RulesStep)->Arg(1)->Arg(4)->Unit(benchmark::kMicrosecond);

// One drawing's follow of the drawn eye, a rule step after the last: at the start in the nave
// (argument 0), or backed into the west wall by 20 frames of S (1), which pulls the eye in and lifts it.
void BM_FollowView(benchmark::State& state) {
    Scene& scene = TheScene();
    SimState sim = EmptyState();
    AddPlayer(sim, scene.Rules(), 0);
    OctreeStats counts{};
    const KeyMask back[kMaxPlayers] = {keybit::kS, 0, 0, 0};
    for (int frame = 0; frame < 20 * state.range(0); ++frame) {
        StepRules(sim, scene.Rules(), back, counts);
    }
    DrawnView view;
    for (auto _ : state) {
        ++sim.frame;
        FollowView(view, sim, scene.Rules(), 0);
        benchmark::DoNotOptimize(view.eye);
    }
}
BENCHMARK(BM_FollowView)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The church culled from the frustum of a viewer facing the four start spots from down the nave, and
// penguins penguins at those spots, finished.
void BM_FrameWithPenguins(benchmark::State& state) {
    if (!bench_context::OpenContext()) {
        state.SkipWithError("no GL context");
        return;
    }
    Scene& scene = TheScene();
    if (!scene.listsMade) {
        if (chdir(bench_files::RunFolder().c_str()) != 0) {
            state.SkipWithError("no run folder");
            return;
        }
        scene.penguin.LoadTextures();
        scene.level.LoadTextures();
        scene.octree.SetListId(static_cast<int>(glGenLists(scene.leafCount)));
        Octree::CompileLists(scene.level, &scene.octree, scene.octree.GetListId());
        scene.listsMade = true;
    }
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 640.0 / 480.0, 1.0, 4000.0);
    glMatrixMode(GL_MODELVIEW);
    Camera viewer;
    viewer.SetPose(20, 10, -200, 20, 0, 0, 0, 1, 0);
    glLoadIdentity();
    ApplyView(viewer);
    Frustum frustum{};
    ExtractPlanes(frustum);
    const int penguins = static_cast<int>(state.range(0));
    static const std::uint8_t tints[3][3] = {{255, 80, 80}, {90, 230, 90}, {90, 150, 255}};
    const float spotX[4] = {0, 40, -40, 80};
    OctreeStats counts{};
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        Octree::Draw(frustum, &scene.octree, scene.level.model, counts);
        for (int i = 0; i < penguins; ++i) {
            scene.penguin.Place(spotX[i], 0, 0, 0);
            scene.penguin.Draw(false, i == 0 ? nullptr : tints[i - 1]);
        }
        glFinish();
    }
}
BENCHMARK(BM_FrameWithPenguins)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
