// How load and query costs grow with the size of the level: generated halls of 1,000 to 100,000
// faces, each written as a 3DS file, then loaded (parse and normals), its normals rebuilt (one pass,
// and the per-vertex reference scan up to 20,000 faces), its octree built, and the penguin's sphere
// tested against it at fixed places, through the octree and by brute force over every face.
// Run with --benchmark_out=FILE --benchmark_out_format=json for tools/plot_bench.py.

#include "base/Message.hpp"
#include "bench/BenchFiles.hpp"
#include "model/ModelObject.hpp"
#include "model/Reader3DS.hpp"
#include "model/VertexNormals.hpp"
#include "octree/Octree.hpp"
#include "octree/OctreeStats.hpp"
#include "tools/reference/BruteForceCollide.hpp"
#include "tools/reference/ReferenceNormals.hpp"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr int kSizes[] = {1000, 2000, 5000, 10000, 20000, 50000, 100000};
constexpr int kLargestReferenceSize = 20000; // the reference scan grows with vertices times faces

void Sizes(benchmark::internal::Benchmark* b) {
    for (const int size : kSizes) {
        b->Arg(size);
    }
}

void ReferenceSizes(benchmark::internal::Benchmark* b) {
    for (const int size : kSizes) {
        if (size <= kLargestReferenceSize) {
            b->Arg(size);
        }
    }
}

// Faces of the generated hall, as the x value of every figure.
void CountFaces(benchmark::State& state, const Model& model) {
    double faces = 0;
    for (const MeshObject& object : model.objects) {
        faces += object.FaceCount();
    }
    state.counters["faces"] = faces;
}

// Fixed places in and around the hall (x -400..400, y -40..160, z -1000..200): a spread of spheres
// some of which touch the floor, the walls or the pillars and most of which touch nothing.
const std::vector<Vector3>& QueryPlaces() {
    static const std::vector<Vector3> places = [] {
        std::vector<Vector3> out;
        std::uint32_t seed = 12345u;
        auto next = [&seed](float low, float high) {
            seed = seed * 1664525u + 1013904223u;
            return low + (high - low) * static_cast<float>(seed >> 8) / 16777216.0f;
        };
        for (int i = 0; i < 64; ++i) {
            const float x = next(-420.0f, 420.0f);
            const float y = next(-40.0f, 60.0f);
            const float z = next(-1020.0f, 220.0f);
            out.push_back(Vector3(x, y, z));
        }
        return out;
    }();
    return places;
}

void BM_Scale_Load(benchmark::State& state) {
    const std::string path = bench_files::LevelFile(static_cast<int>(state.range(0)));
    {
        Model probe;
        if (path.empty() || !Read3dsFile(probe, path.c_str())) {
            state.SkipWithError("the generated file cannot be read");
            return;
        }
        CountFaces(state, probe);
    }
    for (auto _ : state) {
        Model model;
        Read3dsFile(model, path.c_str());
        benchmark::DoNotOptimize(model.objects.data());
    }
}
BENCHMARK(BM_Scale_Load)->Apply(Sizes)->Unit(benchmark::kMillisecond);

void BM_Scale_Normals(benchmark::State& state) {
    Model model;
    const std::string path = bench_files::LevelFile(static_cast<int>(state.range(0)));
    if (path.empty() || !Read3dsFile(model, path.c_str())) {
        state.SkipWithError("the generated file cannot be read");
        return;
    }
    CountFaces(state, model);
    for (auto _ : state) {
        BuildVertexNormals(model);
        benchmark::DoNotOptimize(model.objects[0].normals.data());
    }
}
BENCHMARK(BM_Scale_Normals)->Apply(Sizes)->Unit(benchmark::kMillisecond);

void BM_Scale_NormalsReference(benchmark::State& state) {
    const Model& model = bench_files::Level(static_cast<int>(state.range(0))).model;
    CountFaces(state, model);
    for (auto _ : state) {
        for (const MeshObject& object : model.objects) {
            std::vector<Vector3> normals = testing_tools::ReferenceNormals(object);
            benchmark::DoNotOptimize(normals.data());
        }
    }
}
BENCHMARK(BM_Scale_NormalsReference)->Apply(ReferenceSizes)->Unit(benchmark::kMillisecond);

void BM_Scale_OctreeBuild(benchmark::State& state) {
    const Model& model = bench_files::Level(static_cast<int>(state.range(0))).model;
    CountFaces(state, model);
    int leafCount = 0;
    for (auto _ : state) {
        Octree root;
        leafCount = root.Build(model).leafCount;
        benchmark::DoNotOptimize(root.subdivided);
    }
    state.counters["leaves"] = leafCount;
}
BENCHMARK(BM_Scale_OctreeBuild)->Apply(Sizes)->Unit(benchmark::kMillisecond);

// One round asks query about every fixed place; the counters give the CPU time per query, the faces
// tested per query and the contacts per round (the same for every way of asking).
template <typename Query> void RunQueries(benchmark::State& state, Query query) {
    const std::vector<Vector3>& places = QueryPlaces();
    std::int64_t tested = 0;
    std::int64_t queries = 0;
    int contacts = 0;
    for (auto _ : state) {
        for (const Vector3& centre : places) {
            contacts += query(centre, tested) ? 1 : 0;
        }
        queries += static_cast<std::int64_t>(places.size());
    }
    state.SetItemsProcessed(queries);
    state.counters["query_us"] = benchmark::Counter(
        static_cast<double>(queries), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["faces_tested"] = static_cast<double>(tested) / static_cast<double>(queries);
    state.counters["contacts"] = static_cast<double>(contacts) / static_cast<double>(state.iterations());
}

// One query is one sphere; the figure is the mean over the fixed places.
void BM_Scale_CollideBruteForce(benchmark::State& state) {
    const Model& model = bench_files::Level(static_cast<int>(state.range(0))).model;
    CountFaces(state, model);
    RunQueries(state, [&model](Vector3 centre, std::int64_t& tested) {
        return testing_tools::BruteForceTouches(model, centre, kCollisionRadius, &tested);
    });
}
BENCHMARK(BM_Scale_CollideBruteForce)->Apply(Sizes)->Unit(benchmark::kMillisecond);

// The same spheres through the level's octree, as the render pass asks once a frame.
void BM_Scale_Collide(benchmark::State& state) {
    const Model& model = bench_files::Level(static_cast<int>(state.range(0))).model;
    CountFaces(state, model);
    Octree root;
    state.counters["leaves"] = root.Build(model).leafCount;
    // The sphere's owner: an empty model whose failed read is not worth a message.
    SetMessageSink([](const char*, const char*, MessageIcon) {});
    ModelObject player("no-such-model.3DS");
    SetMessageSink(nullptr);
    RunQueries(state, [&](Vector3 centre, std::int64_t& tested) {
        player.position = centre;
        OctreeStats counts{};
        const bool touches = root.Collide(player, model, counts);
        tested += counts.facesTested;
        return touches;
    });
}
BENCHMARK(BM_Scale_Collide)->Apply(Sizes)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    setenv("JOSTRELA_MESSAGES", "stderr", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
