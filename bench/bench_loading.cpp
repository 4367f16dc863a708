// Loading costs against other readers. Our 3DS reader (parse and vertex normals, what the game does
// at start-up) on the church and on a generated hall of at least 60,000 faces; where lib3ds and
// assimp are installed, the same files with each of them, alone and side by side in one loop, so
// that their ratios to our reader come from the same moments of a busy machine. Also the decoding of
// the largest run-folder texture. (bench_models has the normals and a large BMP on their own.)

#include "bench/BenchFiles.hpp"
#include "bench/ThreadCpuTime.hpp"
#include "model/BmpReader.hpp"
#include "model/Reader3DS.hpp"

#include <benchmark/benchmark.h>

#ifdef JOSTRELA_HAVE_LIB3DS
#include <lib3ds/file.h>
#include <lib3ds/mesh.h>
#endif
#ifdef JOSTRELA_HAVE_ASSIMP
#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#endif

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

constexpr int kLargeModelFaces = 60000;

struct NamedFile {
    const char* name;
    std::string path;
};

std::vector<NamedFile> Files() {
    return {{"church", bench_files::ChurchPath()}, {"hall60k", bench_files::LevelFile(kLargeModelFaces)}};
}

int CountFaces(const Model& model) {
    int faces = 0;
    for (const MeshObject& object : model.objects) {
        faces += object.FaceCount();
    }
    return faces;
}

// Our reader, as the game uses it: the file parsed into a model and its normals built.
bool LoadOurs(const std::string& path, int* faces = nullptr) {
    Model model;
    const bool ok = Read3dsFile(model, path.c_str());
    if (faces != nullptr) {
        *faces = CountFaces(model);
    }
    benchmark::DoNotOptimize(model.objects.data());
    return ok;
}

#ifdef JOSTRELA_HAVE_LIB3DS
// lib3ds parses; with normals it also computes per-corner normals from the smoothing groups.
bool LoadLib3ds(const std::string& path, bool normals) {
    Lib3dsFile* file = lib3ds_file_load(path.c_str());
    if (file == nullptr) {
        return false;
    }
    if (normals) {
        std::vector<float> buffer;
        for (Lib3dsMesh* mesh = file->meshes; mesh != nullptr; mesh = mesh->next) {
            buffer.resize(static_cast<std::size_t>(mesh->faces) * 9);
            lib3ds_mesh_calculate_normals(mesh, reinterpret_cast<Lib3dsVector*>(buffer.data()));
            benchmark::DoNotOptimize(buffer.data());
        }
    }
    lib3ds_file_free(file);
    return true;
}
#endif

#ifdef JOSTRELA_HAVE_ASSIMP
// assimp's 3DS importer builds its normals from the smoothing groups itself; no post-processing
// steps are asked for. One importer serves every load, as a program loading many files would keep it.
bool LoadAssimp(const std::string& path) {
    static Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(path, 0);
    benchmark::DoNotOptimize(scene);
    importer.FreeScene();
    return scene != nullptr;
}
#endif

void BM_Load3DS_Ours(benchmark::State& state, const std::string& path) {
    int faces = 0;
    if (path.empty() || !LoadOurs(path, &faces)) {
        state.SkipWithError("the file cannot be read");
        return;
    }
    for (auto _ : state) {
        LoadOurs(path);
    }
    state.counters["faces"] = faces;
}

#ifdef JOSTRELA_HAVE_LIB3DS
void BM_Load3DS_Lib3ds(benchmark::State& state, const std::string& path, bool normals) {
    if (path.empty() || !LoadLib3ds(path, normals)) {
        state.SkipWithError("lib3ds cannot read the file");
        return;
    }
    for (auto _ : state) {
        LoadLib3ds(path, normals);
    }
}
#endif

#ifdef JOSTRELA_HAVE_ASSIMP
void BM_Load3DS_Assimp(benchmark::State& state, const std::string& path) {
    if (path.empty() || !LoadAssimp(path)) {
        state.SkipWithError("assimp cannot read the file");
        return;
    }
    for (auto _ : state) {
        LoadAssimp(path);
    }
}
#endif

using bench_time::ThreadNanoseconds;

double Milliseconds(std::uint64_t nanoseconds, double rounds) {
    return static_cast<double>(nanoseconds) / 1e6 / rounds;
}

// Every iteration loads the file once with each reader, in turn; the counters are the mean CPU times
// in milliseconds and each peer's time over ours (above 1: ours is faster).
void BM_Load3DS_SideBySide(benchmark::State& state, const std::string& path) {
    if (path.empty() || !LoadOurs(path)) {
        state.SkipWithError("the file cannot be read");
        return;
    }
    std::uint64_t ours = 0;
    std::uint64_t lib3ds = 0;
    std::uint64_t lib3dsNormals = 0;
    std::uint64_t assimp = 0;
    std::int64_t rounds = 0;
    for (auto _ : state) {
        std::uint64_t t = ThreadNanoseconds();
        LoadOurs(path);
        std::uint64_t now = ThreadNanoseconds();
        ours += now - t;
#ifdef JOSTRELA_HAVE_LIB3DS
        t = now;
        LoadLib3ds(path, false);
        now = ThreadNanoseconds();
        lib3ds += now - t;
        t = now;
        LoadLib3ds(path, true);
        now = ThreadNanoseconds();
        lib3dsNormals += now - t;
#endif
#ifdef JOSTRELA_HAVE_ASSIMP
        t = now;
        LoadAssimp(path);
        now = ThreadNanoseconds();
        assimp += now - t;
#endif
        ++rounds;
    }
    const double n = static_cast<double>(rounds);
    state.counters["ours_ms"] = Milliseconds(ours, n);
    if (lib3ds > 0) {
        state.counters["lib3ds_ms"] = Milliseconds(lib3ds, n);
        state.counters["lib3ds_normals_ms"] = Milliseconds(lib3dsNormals, n);
        state.counters["lib3ds_over_ours"] = static_cast<double>(lib3ds) / static_cast<double>(ours);
        state.counters["lib3ds_normals_over_ours"] =
            static_cast<double>(lib3dsNormals) / static_cast<double>(ours);
    }
    if (assimp > 0) {
        state.counters["assimp_ms"] = Milliseconds(assimp, n);
        state.counters["assimp_over_ours"] = static_cast<double>(assimp) / static_cast<double>(ours);
    }
}

void BM_BmpDecode(benchmark::State& state, const std::string& path) {
    std::unique_ptr<RgbImage> first = ReadBmpImage(path.c_str());
    if (!first) {
        state.SkipWithError("the picture cannot be read");
        return;
    }
    for (auto _ : state) {
        std::unique_ptr<RgbImage> image = ReadBmpImage(path.c_str());
        benchmark::DoNotOptimize(image->pixels.get());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(first->width) * first->height * 3);
    state.counters["pixels"] = double(first->width) * first->height;
}

} // namespace

int main(int argc, char** argv) {
    // A file that cannot be read is reported on standard error, not in a box.
    setenv("JOSTRELA_MESSAGES", "stderr", 0);
    benchmark::Initialize(&argc, argv);
    for (const NamedFile& file : Files()) {
        const std::string name = file.name;
        benchmark::RegisterBenchmark(("BM_Load3DS_Ours/" + name).c_str(), BM_Load3DS_Ours, file.path)
            ->Unit(benchmark::kMillisecond);
#ifdef JOSTRELA_HAVE_LIB3DS
        benchmark::RegisterBenchmark(("BM_Load3DS_Lib3ds/" + name).c_str(), BM_Load3DS_Lib3ds, file.path,
                                     false)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_Load3DS_Lib3dsWithNormals/" + name).c_str(), BM_Load3DS_Lib3ds,
                                     file.path, true)
            ->Unit(benchmark::kMillisecond);
#endif
#ifdef JOSTRELA_HAVE_ASSIMP
        benchmark::RegisterBenchmark(("BM_Load3DS_Assimp/" + name).c_str(), BM_Load3DS_Assimp, file.path)
            ->Unit(benchmark::kMillisecond);
#endif
        benchmark::RegisterBenchmark(("BM_Load3DS_SideBySide/" + name).c_str(), BM_Load3DS_SideBySide,
                                     file.path)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(2.0);
    }
    benchmark::RegisterBenchmark("BM_BmpDecode/RedBrick", BM_BmpDecode,
                                 bench_files::RunFolder() + "/Texturas/RedBrick.bmp")
        ->Unit(benchmark::kMicrosecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
