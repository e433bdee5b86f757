// Model loading throughput for a 1,000,000-triangle mesh: our text NFF
// reader (closing included) side by side with the same mesh read from binary
// NFF, as OBJ through the toolkit's loader, and as Wavefront OBJ by assimp (triangulation and
// normal generation) and by tinyobjloader, when the build found them. Freeing the results is left
// out of the times. Prints the ratios of the CPU times at the end.
#include "orv/file.h"
#include "orv/geometry.h"
#include "orv/message.h"

#include <benchmark/benchmark.h>

#ifdef ORV_BENCH_ASSIMP
#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#endif
#ifdef ORV_BENCH_TINYOBJ
#include <tiny_obj_loader.h>
#endif

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

namespace {

// A grid of 500 x 1000 quads, each split into two triangles, on a gentle
// slope so that coordinates carry fractions as real models do.
constexpr int kNx = 501, kNy = 1001;
constexpr long kTriangles = 2L * (kNx - 1) * (kNy - 1);

template <typename Vertex, typename Face>
std::string write_mesh(const char *name, const char *header, Vertex vertex, Face face) {
    std::string path = (std::filesystem::temp_directory_path() / name).string();
    if (std::filesystem::exists(path)) return path;
    std::string partial = path + ".partial";
    std::FILE *f = std::fopen(partial.c_str(), "w");
    std::fputs(header, f);
    for (int y = 0; y < kNy; ++y)
        for (int x = 0; x < kNx; ++x)
            vertex(f, x * 0.25f, y * 0.25f, (x + y) * 0.01f);
    face(f, -1, 0, 0); // the count line, when the format has one
    for (int y = 0; y + 1 < kNy; ++y)
        for (int x = 0; x + 1 < kNx; ++x) {
            int a = y * kNx + x, b = a + 1, c = a + kNx, d = c + 1;
            face(f, a, b, d);
            face(f, a, d, c);
        }
    std::fclose(f);
    std::filesystem::rename(partial, path);
    return path;
}

std::string nff_mesh() {
    static const std::string path = [] {
        char header[64];
        std::snprintf(header, sizeof header, "nff\ngrid\n%d\n", kNx * kNy);
        return write_mesh(
            "orv_bench_1m_v2.nff", header,
            [](std::FILE *f, float x, float y, float z) { std::fprintf(f, "%g %g %g\n", x, y, z); },
            [](std::FILE *f, int a, int b, int c) {
                if (a < 0)
                    std::fprintf(f, "%ld\n", kTriangles);
                else
                    std::fprintf(f, "3 %d %d %d\n", a, b, c);
            });
    }();
    return path;
}

// The text mesh saved once as binary NFF.
std::string bnff_mesh() {
    static const std::string path = [] {
        std::string text = nff_mesh();
        std::string binary =
            (std::filesystem::temp_directory_path() / "orv_bench_1m_v2.bnff").string();
        if (std::filesystem::exists(binary)) return binary;
        OVpq view;
        OVgeomlist *list =
            _OVgeometry_load(std::fopen(text.c_str(), "rb"), text.c_str(), OVFILE_NFF, &view, 1, 0);
        std::string partial = binary + ".partial";
        if (list &&
            OVgeometry_save(_OVgeomlist_geometry(list), partial.c_str(), &view, OVFILE_BNFF))
            std::filesystem::rename(partial, binary);
        OVgeometry_delete(_OVgeomlist_geometry(list));
        _OVgeomlist_delete(list);
        return binary;
    }();
    return path;
}

std::string obj_mesh() {
    static const std::string path = write_mesh(
        "orv_bench_1m_v2.obj", "o grid\n",
        [](std::FILE *f, float x, float y, float z) { std::fprintf(f, "v %g %g %g\n", x, y, z); },
        [](std::FILE *f, int a, int b, int c) {
            if (a >= 0) std::fprintf(f, "f %d %d %d\n", a + 1, b + 1, c + 1);
        });
    return path;
}

int quiet(const char *) {
    return 0;
}

// CPU time per iteration of each loader, for the ratios.
std::map<std::string, double> g_seconds;

void count(benchmark::State &state, const std::string &path, long polygons) {
    double bytes = static_cast<double>(std::filesystem::file_size(path));
    state.counters["MB/s"] = benchmark::Counter(
        bytes * static_cast<double>(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
    state.counters["polygons/s"] =
        benchmark::Counter(static_cast<double>(polygons) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
    state.counters["polygons"] = static_cast<double>(polygons);
}

// Loads an NFF file of the given type and counts its polygons.
void load_nff(benchmark::State &state, const std::string &path, int type, const char *lost) {
    OVmessage_sethook(quiet);
    long polygons = 0;
    for (auto _ : state) {
        OVpq view;
        OVgeomlist *list =
            _OVgeometry_load(std::fopen(path.c_str(), "rb"), path.c_str(), type, &view, 1, 0);
        OVgeometry *g = _OVgeomlist_geometry(list);
        polygons = OVgeometry_numpolys(g);
        state.PauseTiming(); // loading is measured, not freeing
        OVgeometry_delete(g);
        _OVgeomlist_delete(list);
        state.ResumeTiming();
    }
    OVmessage_sethook(nullptr);
    if (polygons != kTriangles) state.SkipWithError(lost);
    count(state, path, polygons);
}

} // namespace

static void BM_LoadTextNff(benchmark::State &state) {
    load_nff(state, nff_mesh(), OVFILE_NFF, "the NFF reader lost polygons");
}
BENCHMARK(BM_LoadTextNff)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_LoadBinaryNff(benchmark::State &state) {
    load_nff(state, bnff_mesh(), OVFILE_BNFF, "the binary NFF reader lost polygons");
}
BENCHMARK(BM_LoadBinaryNff)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same mesh as OBJ through the toolkit's loader (the import library
// underneath, built into a closed geometry).
static void BM_LoadObjToolkit(benchmark::State &state) {
    load_nff(state, obj_mesh(), OVFILE_WAVEFRONT, "the toolkit's OBJ loader lost polygons");
}
BENCHMARK(BM_LoadObjToolkit)->Unit(benchmark::kMillisecond)->Iterations(3);

#ifdef ORV_BENCH_ASSIMP
static void BM_LoadObjAssimp(benchmark::State &state) {
    std::string path = obj_mesh();
    long polygons = 0;
    for (auto _ : state) {
        auto *importer = new Assimp::Importer;
        const aiScene *scene =
            importer->ReadFile(path, aiProcess_Triangulate | aiProcess_GenNormals);
        polygons = 0;
        for (unsigned i = 0; scene && i < scene->mNumMeshes; ++i)
            polygons += scene->mMeshes[i]->mNumFaces;
        state.PauseTiming();
        delete importer;
        state.ResumeTiming();
    }
    if (polygons != kTriangles) state.SkipWithError("assimp lost polygons");
    count(state, path, polygons);
}
BENCHMARK(BM_LoadObjAssimp)->Unit(benchmark::kMillisecond)->Iterations(3);
#endif

#ifdef ORV_BENCH_TINYOBJ
struct TinyMesh {
    tinyobj::attrib_t attrib;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> materials;
    std::string warn, err;
};

static void BM_LoadObjTinyobjloader(benchmark::State &state) {
    std::string path = obj_mesh();
    long polygons = 0;
    for (auto _ : state) {
        auto *mesh = new TinyMesh;
        tinyobj::LoadObj(&mesh->attrib, &mesh->shapes, &mesh->materials, &mesh->warn, &mesh->err,
                         path.c_str(), nullptr, true);
        polygons = 0;
        for (const auto &s : mesh->shapes)
            polygons += static_cast<long>(s.mesh.num_face_vertices.size());
        state.PauseTiming();
        delete mesh;
        state.ResumeTiming();
    }
    if (polygons != kTriangles) state.SkipWithError("tinyobjloader lost polygons");
    count(state, path, polygons);
}
BENCHMARK(BM_LoadObjTinyobjloader)->Unit(benchmark::kMillisecond)->Iterations(3);
#endif

namespace {
// The console report, then how much faster the NFF reader is than each other.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run> &runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            std::string name = run.benchmark_name();
            const char *key = name.find("BinaryNff") != std::string::npos ? "binary nff"
                              : name.find("Nff") != std::string::npos     ? "nff"
                              : name.find("Assimp") != std::string::npos  ? "assimp"
                              : name.find("Tinyobj") != std::string::npos ? "tinyobjloader"
                                                                          : nullptr;
            // With repetitions, the median stands for the loader.
            bool aggregate = run.run_type == Run::RT_Aggregate;
            if (aggregate && run.aggregate_name != "median") continue;
            if (key && !run.error_occurred)
                g_seconds[key] = run.GetAdjustedCPUTime(); // CPU time: the machine is shared
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        double nff = g_seconds.count("nff") ? g_seconds["nff"] : 0;
        for (const auto &[name, seconds] : g_seconds)
            if (name != "nff" && name != "binary nff" && nff > 0 && seconds > 0)
                std::printf("NFF reader vs %s: %.2fx faster\n", name.c_str(), seconds / nff);
        if (nff > 0 && g_seconds.count("binary nff") && g_seconds["binary nff"] > 0)
            std::printf("binary NFF reader vs text NFF reader: %.2fx faster\n",
                        nff / g_seconds["binary nff"]);
    }
};
} // namespace

int main(int argc, char **argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
