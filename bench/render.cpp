// Frames per second for 100,000 lit triangles at 640 x 480 through the
// renderer's whole path (collection, playback, compiled display lists), as
// one geometry and as 1,000 geometries of 100, beside a minimal reference
// that draws the same triangles from one vertex array with glDrawArrays.
// Each scene benchmark reports its frame rate as a ratio of the reference's,
// by wall clock ("ratio") and by processor time per frame ("cpu_ratio"),
// which a shared machine disturbs less. The program runs itself again with
// the software rasteriser on the calling thread (LP_NUM_THREADS=0), so that
// the process's processor time is all of a frame's work, and with glibc's
// allocator keeping large blocks instead of mapping and unmapping them every
// frame, which would charge the reference for the allocator's churn.
// A second reference splits the array into 1,000 draws: the software
// rasteriser's cost per draw; a third draws a display list in the renderer's
// own format (see draw_colour_list). Every scene's last frame is read back and
// compared with the reference's ("differing_pixels"), so that both are
// known to draw the same picture.
#include "orv/orv.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

constexpr int triangles = 100000;
std::vector<float> vertices;
struct Rate {
    double fps = 0, cpu_fps = 0;
};
Rate reference_rate;
int reference_draws = 1;
constexpr int width = 640, height = 480;
// The reference's picture: every scene must show the same pixels.
std::vector<unsigned char> reference_picture;
// Software rasterisers differ in their last bits.
constexpr int channel_tolerance = 16;
// At most one pixel in this many may differ: the last bits of edges.
constexpr int most_differing = 1000;
// Frames drawn before the timing: the renderer's caches are built by then.
constexpr int settling_frames = 5;

// Small triangles over the whole view, 10 units ahead, facing the viewer.
void make_triangles() {
    if (!vertices.empty()) return;
    vertices.reserve(triangles * 9);
    for (int i = 0; i < triangles; ++i) {
        float x = static_cast<float>(i % 400) / 400.0f * 14 - 7;
        float y = static_cast<float>(i / 400) / 250.0f * 10 - 5;
        float z = 10.0f + std::sin(static_cast<float>(i)) * 0.1f;
        const float t[9] = {x, y, z, x, y + 0.04f, z, x + 0.035f, y, z};
        vertices.insert(vertices.end(), t, t + 9);
    }
}

OVgeometry *geometry_of(int first, int count) {
    OVgeometry *g = OVgeometry_begin();
    for (int i = first; i < first + count; ++i) {
        OVpoly *p = OVgeometry_beginpoly(g);
        for (int k = 0; k < 3; ++k)
            OVpoly_addvertexptr(p, OVgeometry_newvertex(g, &vertices[(i * 3 + k) * 3]));
        OVpoly_close(p);
    }
    OVgeometry_close(g);
    OVgeometry_setrgb(g, 255, 0, 0);
    return g;
}

const float light_direction[3] = {0, 0, 1};

OVwindow *open_universe() {
    make_triangles();
    OVuniverse_new(512, 0);
    OVwindow *w = OVwindow_new(0, 0, width, height, 0);
    OVwindow_setviewpoint(w, OVuniverse_getviewpoint());
    return w;
}

std::vector<unsigned char> picture(OVwindow *w) {
    std::vector<unsigned char> rgba(static_cast<std::size_t>(width) * height * 4);
    if (!OVwindow_snapshot(w, 0, 0, width, height, rgba.data())) rgba.clear();
    return rgba;
}

// Pixels where some channel differs from the reference's beyond the tolerance.
int differing_pixels(const std::vector<unsigned char> &rgba) {
    if (rgba.size() != reference_picture.size()) return width * height;
    int differ = 0;
    for (std::size_t i = 0; i < rgba.size(); i += 4)
        for (std::size_t c = 0; c < 3; ++c)
            if (std::abs(rgba[i + c] - reference_picture[i + c]) > channel_tolerance) {
                ++differ;
                break;
            }
    return differ;
}

Rate frames_per_second(benchmark::State &state, OVwindow *w) {
    // Display lists are compiled, and merged once unchanged, outside the timing.
    for (int i = 0; i < settling_frames; ++i)
        OVrender_frame();
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpu_start = std::clock();
    for (auto _ : state)
        OVrender_frame();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    const double cpu = static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
    const auto frames = static_cast<double>(state.iterations());
    // The last frame is checked: caches built while timing must draw the same.
    if (reference_picture.empty()) {
        reference_picture = picture(w);
    } else {
        const int differ = differing_pixels(picture(w));
        state.counters["differing_pixels"] = differ;
        if (differ > width * height / most_differing)
            state.SkipWithError("the scene's picture is not the reference's");
    }
    Rate r{frames / took.count(), cpu > 0 ? frames / cpu : 0};
    state.counters["fps"] = r.fps;
    return r;
}

void compare(benchmark::State &state, const Rate &r) {
    if (reference_rate.fps <= 0 || reference_rate.cpu_fps <= 0) return;
    state.counters["ratio"] = r.fps / reference_rate.fps;
    state.counters["cpu_ratio"] = r.cpu_fps / reference_rate.cpu_fps;
}

void scene(benchmark::State &state, int geometries) {
    OVwindow *w = open_universe();
    OVnode *root = OVuniverse_getrootnodes();
    OVp3 d = {light_direction[0], light_direction[1], light_direction[2]};
    OVlightnode_setdirection(OVlightnode_newdirected(root), d);
    const int each = triangles / geometries;
    for (int i = 0; i < geometries; ++i)
        OVgeometrynode_new(root, geometry_of(i * each, each));
    const Rate r = frames_per_second(state, w);
    state.counters["polygons"] = OVwindow_getpolycount(w);
    compare(state, r);
    OVuniverse_delete();
}

// The same state as the scene path: lit, one directed light, a red material.
// Colour material is not used: this Mesa applies a constant current colour to
// the material only when the colour changes, so after the eye's default
// material the triangles would be black from the second frame on.
void draw_arrays(OVwindow *, int) {
    const float position[4] = {-light_direction[0], -light_direction[1], -light_direction[2], 0};
    const float red[4] = {1, 0, 0, 1};
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, red);
    glNormal3f(0, 0, -1);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, vertices.data());
    const int each = triangles * 3 / reference_draws;
    for (int i = 0; i < reference_draws; ++i)
        glDrawArrays(GL_TRIANGLES, i * each, each);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_LIGHT0);
}

// The renderer's format for the scene, without the renderer: the triangles
// compiled once into a display list in batches of 5,000, under colour
// material with the colour sent inside the first batch. The colour then
// becomes a per-vertex attribute of the list; sent before the batch it would
// be lost to the same Mesa behaviour as above. The renderer's one-colour
// lists carry no colour at all and can do better than this.
constexpr int batch_triangles = 5000;
unsigned colour_list = 0;

void draw_colour_list(OVwindow *, int) {
    const float position[4] = {-light_direction[0], -light_direction[1], -light_direction[2], 0};
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    if (!colour_list) {
        colour_list = glGenLists(1);
        glNewList(colour_list, GL_COMPILE);
        glNormal3f(0, 0, -1);
        for (int first = 0; first < triangles; first += batch_triangles) {
            glBegin(GL_TRIANGLES);
            if (first == 0) glColor3f(1, 0, 0);
            for (int v = first * 3; v < (first + batch_triangles) * 3; ++v)
                glVertex3fv(&vertices[static_cast<std::size_t>(v) * 3]);
            glEnd();
        }
        glEndList();
    }
    glCallList(colour_list);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_LIGHT0);
}

Rate reference(benchmark::State &state, int draws) {
    reference_draws = draws;
    OVwindowdrawfn fn = draw_arrays;
    OVwindow *w = open_universe();
    OVwindow_setdrawfn(w, fn);
    const Rate r = frames_per_second(state, w);
    OVuniverse_delete();
    return r;
}

void BM_ReferenceDrawArrays(benchmark::State &state) {
    reference_rate = reference(state, 1);
}

void BM_Reference1000Draws(benchmark::State &state) {
    compare(state, reference(state, 1000));
}

void BM_ReferenceColourList(benchmark::State &state) {
    OVwindow *w = open_universe();
    OVwindow_setdrawfn(w, draw_colour_list);
    colour_list = 0; // the universe's context is new
    const Rate r = frames_per_second(state, w);
    compare(state, r);
    OVuniverse_delete();
}

void BM_SceneOneGeometry(benchmark::State &state) {
    scene(state, 1);
}

void BM_Scene1000Geometries(benchmark::State &state) {
    scene(state, 1000);
}

BENCHMARK(BM_ReferenceDrawArrays)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Reference1000Draws)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReferenceColourList)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_SceneOneGeometry)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Scene1000Geometries)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

namespace {
constexpr const char *kThreads = "LP_NUM_THREADS", *kThreadsValue = "0";
constexpr const char *kTunables = "GLIBC_TUNABLES";
constexpr const char *kTunablesValue =
    "glibc.malloc.mmap_threshold=33554432:glibc.malloc.trim_threshold=2147483647";

bool environment_set() {
    const char *threads = std::getenv(kThreads), *tunables = std::getenv(kTunables);
    return threads && std::strcmp(threads, kThreadsValue) == 0 && tunables &&
           std::strcmp(tunables, kTunablesValue) == 0;
}
} // namespace

int main(int argc, char **argv) {
    // The allocator reads its tunables at start-up: set, then start again.
    if (!environment_set()) {
        setenv(kThreads, kThreadsValue, 1);
        setenv(kTunables, kTunablesValue, 1);
        execv("/proc/self/exe", argv);
        std::perror("bench_render: cannot run itself again");
        return 1;
    }
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
