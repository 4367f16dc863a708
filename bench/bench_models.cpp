// Load times of the game's readers: a 3DS file of one object with more than 60,000 faces (read,
// then its normals alone, against the per-vertex scan), and a 1024 x 1024 24-bit BMP.

#include "base/Message.hpp"
#include "bench/ThreadCpuTime.hpp"
#include "model/BmpReader.hpp"
#include "model/Reader3DS.hpp"
#include "model/VertexNormals.hpp"
#include "tools/reference/ReferenceNormals.hpp"
#include "tools/writers/BmpWriter.hpp"
#include "tools/writers/Writer3ds.hpp"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

constexpr int kGridSide = 180; // 180 x 180 vertices, 2 x 179 x 179 = 64,082 faces

std::string BenchFile(const char* name) {
    return "/tmp/jostrela-bench-" + std::to_string(getpid()) + "-" + name;
}

// A rolling landscape as one object, written once per run.
const std::string& GridModel() {
    static const std::string path = [] {
        writers::SceneDescription scene;
        writers::ObjectDescription grid;
        grid.name = "Grid";
        for (int z = 0; z < kGridSide; ++z) {
            for (int x = 0; x < kGridSide; ++x) {
                grid.vertices.push_back({static_cast<float>(x),
                                         std::sin(x * 0.3f) * std::cos(z * 0.2f) * 4.0f,
                                         static_cast<float>(z)});
            }
        }
        for (int z = 0; z + 1 < kGridSide; ++z) {
            for (int x = 0; x + 1 < kGridSide; ++x) {
                const auto at = [](int xx, int zz) {
                    return static_cast<std::uint16_t>(zz * kGridSide + xx);
                };
                grid.faces.push_back({at(x, z), at(x, z + 1), at(x + 1, z + 1)});
                grid.faces.push_back({at(x, z), at(x + 1, z + 1), at(x + 1, z)});
            }
        }
        scene.objects.push_back(grid);
        const std::string file = BenchFile("grid.3ds");
        writers::Write3dsFile(file.c_str(), scene);
        return file;
    }();
    return path;
}

const std::string& LargeBmp() {
    static const std::string path = [] {
        writers::BmpImage image;
        image.width = 1024;
        image.height = 1024;
        image.pixels.resize(1024 * 1024 * 3);
        for (std::size_t i = 0; i < image.pixels.size(); ++i) {
            image.pixels[i] = static_cast<std::uint8_t>(i * 7 + i / 3072);
        }
        const std::string file = BenchFile("large.bmp");
        writers::WriteBmpFile(file.c_str(), image);
        return file;
    }();
    return path;
}

// Reading and normals together: what a ModelObject's construction costs.
void BM_Load3dsWithNormals(benchmark::State& state) {
    for (auto _ : state) {
        Model model;
        benchmark::DoNotOptimize(Read3dsFile(model, GridModel().c_str()));
    }
    state.counters["faces"] = (kGridSide - 1) * (kGridSide - 1) * 2;
}
BENCHMARK(BM_Load3dsWithNormals)->Unit(benchmark::kMillisecond);

void BM_BuildVertexNormals(benchmark::State& state) {
    Model model;
    Read3dsFile(model, GridModel().c_str());
    for (auto _ : state) {
        BuildVertexNormals(model);
        benchmark::DoNotOptimize(model.objects[0].normals.data());
    }
}
BENCHMARK(BM_BuildVertexNormals)->Unit(benchmark::kMillisecond);

// The per-vertex scan of all faces, run once; its counter speedup is its time over the one-pass
// build's (which must stay above 100), both in this thread's CPU time, the one-pass build timed
// half before and half after the scan so that a change in the machine's load falls on both alike.
void BM_ReferenceNormalsScan(benchmark::State& state) {
    Model model;
    Read3dsFile(model, GridModel().c_str());
    const int rounds = 20;
    auto timeLinear = [&model](int count) {
        const std::uint64_t start = bench_time::ThreadNanoseconds();
        for (int i = 0; i < count; ++i) {
            BuildVertexNormals(model);
        }
        return bench_time::ThreadNanoseconds() - start;
    };
    std::uint64_t linear = timeLinear(rounds / 2);
    std::uint64_t scan = 0;
    for (auto _ : state) {
        const std::uint64_t start = bench_time::ThreadNanoseconds();
        benchmark::DoNotOptimize(testing_tools::ReferenceNormals(model.objects[0]).data());
        scan += bench_time::ThreadNanoseconds() - start;
    }
    linear += timeLinear(rounds - rounds / 2);
    state.counters["speedup"] = static_cast<double>(scan) / static_cast<double>(state.iterations()) /
                                (static_cast<double>(linear) / rounds);
}
BENCHMARK(BM_ReferenceNormalsScan)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ReadBmp1024(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadBmpImage(LargeBmp().c_str()));
    }
    state.SetBytesProcessed(state.iterations() * 1024 * 1024 * 3);
}
BENCHMARK(BM_ReadBmp1024)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    SetMessageSink([](const char* caption, const char* text, MessageIcon) {
        std::fprintf(stderr, "%s: %s\n", caption, text);
    });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove(GridModel().c_str());
    std::remove(LargeBmp().c_str());
    return 0;
}
