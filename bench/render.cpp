// Frames per second for 100,000 lit triangles at 640 x 480 through the
// renderer's whole path (collection, playback, compiled passes), as one
// geometry and as 1,000 geometries of 100, beside a minimal reference that
// draws the same triangles from one vertex array with glDrawArrays.
// Each compared benchmark draws its subject and the reference in turns, a few
// frames each, in one universe and one window, and reports its frame rate as
// a ratio of the reference's over the same stretch of time, by wall clock
// ("ratio") and by processor time per frame ("cpu_ratio"): on a shared
// machine the load changes from second to second, and two rates measured one
// after the other differ by a fifth for that alone. The time columns are the
// subject's frames. The program runs itself again with the software
// rasteriser on the calling thread (LP_NUM_THREADS=0), so that the process's
// processor time is all of a frame's work, and with glibc's allocator keeping
// large blocks instead of mapping and unmapping them every frame, which would
// charge the reference for the allocator's churn.
// A second reference splits the array into 1,000 draws: the software
// rasteriser's cost per draw; a third draws a display list in the renderer's
// old format (see draw_colour_list). Every subject's last frame is read back
// and compared with the reference's ("differing_pixels"), so that both are
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
constexpr int width = 640, height = 480;
// Software rasterisers differ in their last bits.
constexpr int channel_tolerance = 16;
// At most one pixel in this many may differ: the last bits of edges.
constexpr int most_differing = 1000;
// Frames drawn before the timing: the renderer's caches are built by then.
constexpr int settling_frames = 5;
// Frames of one side drawn in a row, after one untimed frame that lets the
// other side's data leave the caches.
constexpr int frames_per_turn = 4;

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

// Pixels where some channel differs beyond the tolerance.
int differing_pixels(const std::vector<unsigned char> &a, const std::vector<unsigned char> &b) {
    if (a.size() != b.size()) return width * height;
    int differ = 0;
    for (std::size_t i = 0; i < a.size(); i += 4)
        for (std::size_t c = 0; c < 3; ++c)
            if (std::abs(a[i + c] - b[i + c]) > channel_tolerance) {
                ++differ;
                break;
            }
    return differ;
}

double processor_seconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Wall-clock and processor seconds spent on one side's frames.
struct Tally {
    double wall = 0, cpu = 0;
    int frames = 0;

    double fps() const { return wall > 0 ? frames / wall : 0; }
    double cpu_fps() const { return cpu > 0 ? frames / cpu : 0; }
};

// One frame, counted in the tally.
void timed_frame(Tally &t) {
    const auto start = std::chrono::steady_clock::now();
    const double cpu = processor_seconds();
    OVrender_frame();
    t.cpu += processor_seconds() - cpu;
    t.wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ++t.frames;
}

// What the window draws: a root node's scene, then a drawing function.
struct Side {
    OVnode *root;
    OVwindowdrawfn draw;
};

void show(OVwindow *w, const Side &side) {
    OVwindow_setrootnode(w, side.root);
    OVwindow_setdrawfn(w, side.draw);
}

// The same state as the scene path: lit, one directed light, a red material.
// Colour material is not used: this Mesa applies a constant current colour to
// the material only when the colour changes, so after the eye's default
// material the triangles would be black from the second frame on.
template <int draws> void draw_arrays(OVwindow *, int) {
    const float position[4] = {-light_direction[0], -light_direction[1], -light_direction[2], 0};
    const float red[4] = {1, 0, 0, 1};
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, red);
    glNormal3f(0, 0, -1);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, vertices.data());
    const int each = triangles * 3 / draws;
    for (int i = 0; i < draws; ++i)
        glDrawArrays(GL_TRIANGLES, i * each, each);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_LIGHT0);
}

// The subject and the reference in turns; the subject's frames are the
// benchmark's iterations.
void in_turns(benchmark::State &state, OVwindow *w, const Side &subject) {
    const Side reference{OVrootnode_new(), draw_arrays<1>};
    // Display lists and buffers are compiled, and merged once unchanged, outside the timing.
    show(w, reference);
    for (int i = 0; i < settling_frames; ++i)
        OVrender_frame();
    const std::vector<unsigned char> expected = picture(w);
    show(w, subject);
    for (int i = 0; i < settling_frames; ++i)
        OVrender_frame();
    Tally mine, theirs;
    int turn = 0;
    for (auto _ : state) {
        if (turn++ == frames_per_turn) {
            state.PauseTiming();
            show(w, reference);
            OVrender_frame();
            for (int i = 0; i < frames_per_turn; ++i)
                timed_frame(theirs);
            show(w, subject);
            OVrender_frame();
            turn = 1;
            state.ResumeTiming();
        }
        timed_frame(mine);
    }
    // The last frame is checked: caches built while timing must draw the same.
    const int differ = differing_pixels(picture(w), expected);
    state.counters["differing_pixels"] = differ;
    if (differ > width * height / most_differing)
        state.SkipWithError("the picture is not the reference's");
    state.counters["fps"] = mine.fps();
    state.counters["reference_fps"] = theirs.fps();
    if (theirs.fps() > 0 && theirs.cpu_fps() > 0) {
        state.counters["ratio"] = mine.fps() / theirs.fps();
        state.counters["cpu_ratio"] = mine.cpu_fps() / theirs.cpu_fps();
    }
}

void scene(benchmark::State &state, int geometries) {
    OVwindow *w = open_universe();
    OVnode *root = OVuniverse_getrootnodes();
    OVp3 d = {light_direction[0], light_direction[1], light_direction[2]};
    OVlightnode_setdirection(OVlightnode_newdirected(root), d);
    const int each = triangles / geometries;
    for (int i = 0; i < geometries; ++i)
        OVgeometrynode_new(root, geometry_of(i * each, each));
    in_turns(state, w, {root, nullptr});
    state.counters["polygons"] = OVwindow_getpolycount(w);
    OVuniverse_delete();
}

// The renderer's old format for the scene, without the renderer: the
// triangles compiled once into a display list in batches of 5,000, under
// colour material with the colour sent inside the first batch. The colour
// then becomes a per-vertex attribute of the list; sent before the batch it
// would be lost to the same Mesa behaviour as above.
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

void BM_ReferenceDrawArrays(benchmark::State &state) {
    OVwindow *w = open_universe();
    OVwindow_setdrawfn(w, draw_arrays<1>);
    for (int i = 0; i < settling_frames; ++i)
        OVrender_frame();
    Tally t;
    for (auto _ : state)
        timed_frame(t);
    state.counters["fps"] = t.fps();
    OVuniverse_delete();
}

void BM_Reference1000Draws(benchmark::State &state) {
    OVwindow *w = open_universe();
    in_turns(state, w, {OVuniverse_getrootnodes(), draw_arrays<1000>});
    OVuniverse_delete();
}

void BM_ReferenceColourList(benchmark::State &state) {
    OVwindow *w = open_universe();
    colour_list = 0; // the universe's context is new
    in_turns(state, w, {OVuniverse_getrootnodes(), draw_colour_list});
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
