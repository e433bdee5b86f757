// First loads of a 1,000,000-triangle mesh, each in a fresh process: our text
// NFF reader (closing included), the same mesh from binary NFF, as OBJ
// through the toolkit's loader, and as Wavefront OBJ by assimp (triangulation
// and normal generation) and by tinyobjloader when the build found them;
// beside them the parse limit, reading the bytes and converting every number
// with std::from_chars; and the floor of every NFF load, the same mesh's
// records built straight from memory through the readers' builder, without
// and with the geometry's close. A fresh process per load gives every loader the same
// start: no pooled records or pages left over from an earlier iteration.
// Each iteration's time is the child's processor time for the load (user and
// system, page faults included); the child also reports the memory its result
// holds, as bytes per triangle. Prints the ratios at the end.
#include "orv/file.h"
#include "orv/geometry.h"
#include "orv/message.h"
#include "geometry/geometry_builder.h"
#include "geometry/record_pool.h"

#include <benchmark/benchmark.h>

#ifdef ORV_BENCH_ASSIMP
#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#endif
#ifdef ORV_BENCH_TINYOBJ
#include <tiny_obj_loader.h>
#endif

#include <malloc.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

// A grid of 500 x 1000 quads, each split into two triangles, on a gentle
// slope so that coordinates carry fractions as real models do.
constexpr int kNx = 501, kNy = 1001;
constexpr long kTriangles = 2L * (kNx - 1) * (kNy - 1);
constexpr long kNumbers = 3L * kNx * kNy + 4 * kTriangles + 2; // with the two counts

template <typename Vertex, typename Face>
std::string write_mesh(const char *name, const char *header, Vertex vertex, Face face) {
    std::string path = (std::filesystem::temp_directory_path() / name).string();
    if (std::filesystem::exists(path)) return path;
    std::string partial = path + ".partial" + std::to_string(getpid());
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
}

// The text mesh saved once as binary NFF.
std::string bnff_mesh() {
    std::string text = nff_mesh();
    std::string binary = (std::filesystem::temp_directory_path() / "orv_bench_1m_v2.bnff").string();
    if (std::filesystem::exists(binary)) return binary;
    OVpq view;
    OVgeomlist *list =
        _OVgeometry_load(std::fopen(text.c_str(), "rb"), text.c_str(), OVFILE_NFF, &view, 1, 0);
    std::string partial = binary + ".partial" + std::to_string(getpid());
    if (list && OVgeometry_save(_OVgeomlist_geometry(list), partial.c_str(), &view, OVFILE_BNFF))
        std::filesystem::rename(partial, binary);
    OVgeometry_delete(_OVgeomlist_geometry(list));
    _OVgeomlist_delete(list);
    return binary;
}

std::string obj_mesh() {
    return write_mesh(
        "orv_bench_1m_v2.obj", "o grid\n",
        [](std::FILE *f, float x, float y, float z) { std::fprintf(f, "v %g %g %g\n", x, y, z); },
        [](std::FILE *f, int a, int b, int c) {
            if (a >= 0) std::fprintf(f, "f %d %d %d\n", a + 1, b + 1, c + 1);
        });
}

int quiet(const char *) {
    return 0;
}

// Loaders keep their result alive until the process ends, so that the heap
// it holds can be counted; each returns its polygon count (numbers for the
// parse limit).
long load_toolkit(const std::string &path, int type) {
    OVmessage_sethook(quiet);
    OVpq view;
    OVgeomlist *list =
        _OVgeometry_load(std::fopen(path.c_str(), "rb"), path.c_str(), type, &view, 1, 0);
    return OVgeometry_numpolys(_OVgeomlist_geometry(list));
}

// Reads the bytes and converts every number, as the least any text reader does.
long read_and_convert(const std::string &path) {
    std::FILE *f = std::fopen(path.c_str(), "rb");
    std::vector<char> bytes(std::filesystem::file_size(path));
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
    std::fclose(f);
    long numbers = 0;
    double sum = 0;
    const char *p = bytes.data(), *end = p + bytes.size();
    while (p < end) {
        while (p < end && (*p == ' ' || *p == '\n'))
            ++p;
        const char *token = p;
        while (p < end && *p != ' ' && *p != '\n')
            ++p;
        float value;
        auto [ptr, ec] = std::from_chars(token, p, value);
        if (ec == std::errc() && ptr == p) {
            sum += value;
            ++numbers;
        }
    }
    benchmark::DoNotOptimize(sum);
    return numbers;
}

// The records a reader of the mesh makes, with no file read: each vertex and
// triangle built as the readers build them, in file order (a triangle is
// measured as it is built); then, with close, the close every load ends with.
long build_from_memory(bool close) {
    OVgeometry *g = orv::geom::builder_new("grid");
    std::vector<OVvertex *> vertices;
    vertices.reserve(static_cast<std::size_t>(kNx) * kNy);
    for (int y = 0; y < kNy; ++y)
        for (int x = 0; x < kNx; ++x) {
            const float pos[3] = {x * 0.25f, y * 0.25f, (x + y) * 0.01f};
            vertices.push_back(orv::geom::builder_vertex(g, pos));
        }
    for (int y = 0; y + 1 < kNy; ++y)
        for (int x = 0; x + 1 < kNx; ++x) {
            const std::size_t a = static_cast<std::size_t>(y) * kNx + x, b = a + 1, c = a + kNx,
                              d = c + 1;
            OVvertex *first[3] = {vertices[a], vertices[b], vertices[d]};
            OVvertex *second[3] = {vertices[a], vertices[d], vertices[c]};
            orv::geom::builder_polygon(g, first, 3);
            orv::geom::builder_polygon(g, second, 3);
        }
    orv::geom::builder_done(g, false);
    OVgeomlist *list = _OVgeomlist_add(nullptr, g);
    if (close) list = orv::geom::builder_close_list(list);
    return OVgeometry_numpolys(_OVgeomlist_geometry(list));
}

#ifdef ORV_BENCH_ASSIMP
long load_assimp(const std::string &path) {
    auto *importer = new Assimp::Importer; // kept: its scene is the result
    const aiScene *scene = importer->ReadFile(path, aiProcess_Triangulate | aiProcess_GenNormals);
    long polygons = 0;
    for (unsigned i = 0; scene && i < scene->mNumMeshes; ++i)
        polygons += scene->mMeshes[i]->mNumFaces;
    return polygons;
}
#endif

#ifdef ORV_BENCH_TINYOBJ
struct TinyMesh {
    tinyobj::attrib_t attrib;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> materials;
    std::string warn, err;
};

long load_tinyobj(const std::string &path) {
    auto *mesh = new TinyMesh; // kept: the result
    tinyobj::LoadObj(&mesh->attrib, &mesh->shapes, &mesh->materials, &mesh->warn, &mesh->err,
                     path.c_str(), nullptr, true);
    long polygons = 0;
    for (const auto &s : mesh->shapes)
        polygons += static_cast<long>(s.mesh.num_face_vertices.size());
    return polygons;
}
#endif

struct Loader {
    std::string (*mesh)();
    long (*load)(const std::string &path);
    long expected;
};

const std::map<std::string, Loader> &loaders() {
    static const std::map<std::string, Loader> table = {
        {"text_nff",
         {nff_mesh, [](const std::string &p) { return load_toolkit(p, OVFILE_NFF); }, kTriangles}},
        {"binary_nff",
         {bnff_mesh, [](const std::string &p) { return load_toolkit(p, OVFILE_BNFF); },
          kTriangles}},
        {"obj_toolkit",
         {obj_mesh, [](const std::string &p) { return load_toolkit(p, OVFILE_WAVEFRONT); },
          kTriangles}},
        {"parse_limit", {nff_mesh, read_and_convert, kNumbers}},
        {"records_only",
         {bnff_mesh, [](const std::string &) { return build_from_memory(false); }, kTriangles}},
        {"records_and_close",
         {bnff_mesh, [](const std::string &) { return build_from_memory(true); }, kTriangles}},
#ifdef ORV_BENCH_ASSIMP
        {"obj_assimp", {obj_mesh, load_assimp, kTriangles}},
#endif
#ifdef ORV_BENCH_TINYOBJ
        {"obj_tinyobjloader", {obj_mesh, load_tinyobj, kTriangles}},
#endif
    };
    return table;
}

double process_cpu_seconds() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The heap's blocks in use and the toolkit's record pools, which take their
// blocks from the system directly.
double held_bytes() {
    struct mallinfo2 m = mallinfo2();
    return static_cast<double>(m.uordblks + m.hblkhd + orv::geom::pooled_bytes());
}

// The child's side: one load, then "seconds bytes count" on standard output.
int load_once(const std::string &name) {
    auto it = loaders().find(name);
    if (it == loaders().end()) return 2;
    const std::string path = it->second.mesh();
    const double held = held_bytes(), start = process_cpu_seconds();
    const long count = it->second.load(path);
    const double seconds = process_cpu_seconds() - start;
    std::printf("%.9f %.0f %ld\n", seconds, held_bytes() - held, count);
    std::fflush(stdout);
    _exit(0); // the result stays: freeing it is not measured
}

struct Measured {
    double seconds = 0, bytes = 0;
    long count = 0;
};

// Runs one load in a fresh process of this program.
bool measure_fresh(const std::string &name, Measured *out) {
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::FILE *child = popen(("'" + self + "' --load-once=" + name).c_str(), "r");
    if (!child) return false;
    int fields = std::fscanf(child, "%lf %lf %ld", &out->seconds, &out->bytes, &out->count);
    return pclose(child) == 0 && fields == 3;
}

void first_load(benchmark::State &state, const char *name) {
    const Loader &loader = loaders().at(name);
    const std::string path = loader.mesh(); // made here, outside the children's time
    Measured m;
    for (auto _ : state) {
        if (!measure_fresh(name, &m)) {
            state.SkipWithError("the loading process failed");
            return;
        }
        state.SetIterationTime(m.seconds);
    }
    if (m.count != loader.expected) state.SkipWithError("the loader lost polygons");
    state.counters["bytes/triangle"] = m.bytes / static_cast<double>(kTriangles);
    state.counters["MB/s"] =
        static_cast<double>(std::filesystem::file_size(path)) / 1e6 / std::max(m.seconds, 1e-9);
}

void register_loaders() {
    for (const auto &entry : loaders())
        benchmark::RegisterBenchmark(("BM_FirstLoad/" + entry.first).c_str(), first_load,
                                     entry.first.c_str())
            ->UseManualTime()
            ->Iterations(1)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true)
            ->Unit(benchmark::kMillisecond);
}

// The console report, then how the text NFF reader compares with each other.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run> &runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median" &&
                !run.error_occurred)
                seconds_[run.run_name.function_name.substr(run.run_name.function_name.find('/') +
                                                           1)] = run.GetAdjustedRealTime();
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const double nff = seconds_.count("text_nff") ? seconds_["text_nff"] : 0;
        if (nff <= 0) return;
        for (const auto &[name, seconds] : seconds_)
            if (name != "text_nff" && seconds > 0)
                std::printf("text NFF first load vs %s: %.2fx the speed\n", name.c_str(),
                            seconds / nff);
        if (seconds_.count("binary_nff") && seconds_["binary_nff"] > 0)
            std::printf("binary NFF first load: %.2fx the speed of the text load\n",
                        nff / seconds_["binary_nff"]);
    }

  private:
    std::map<std::string, double> seconds_;
};

} // namespace

int main(int argc, char **argv) {
    const std::string once = "--load-once=";
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], once.c_str(), once.size()) == 0)
            return load_once(argv[i] + once.size());
    benchmark::Initialize(&argc, argv);
    register_loaders();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
