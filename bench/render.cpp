// Frames per second for 100,000 triangles at 640 x 480: replayed from a
// display list compiled the renderer's way (batched GL_TRIANGLES), beside a
// minimal reference drawing the same triangles from one vertex array.
#include "orv/orv.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

constexpr int triangles = 100000;
constexpr int batch = 5000; // the renderer's default primitive limit
std::vector<float> vertices;
GLuint list = 0;

void make_triangles() {
    if (!vertices.empty()) return;
    vertices.reserve(triangles * 9);
    for (int i = 0; i < triangles; ++i) {
        float x = static_cast<float>(i % 400) / 400.0f * 8 - 4;
        float y = static_cast<float>(i / 400) / 250.0f * 6 - 3;
        float z = 10.0f + std::sin(static_cast<float>(i)) * 0.1f;
        const float t[9] = {x, y, z, x + 0.02f, y, z, x, y + 0.024f, z};
        vertices.insert(vertices.end(), t, t + 9);
    }
}

void draw_list(OVwindow *, int) {
    if (!list) {
        list = glGenLists(1);
        glNewList(list, GL_COMPILE);
        glColor3f(1, 0, 0);
        for (int i = 0; i < triangles; ++i) {
            if (i % batch == 0) {
                if (i) glEnd();
                glBegin(GL_TRIANGLES);
            }
            glVertex3fv(&vertices[i * 9]);
            glVertex3fv(&vertices[i * 9 + 3]);
            glVertex3fv(&vertices[i * 9 + 6]);
        }
        glEnd();
        glEndList();
    }
    glCallList(list);
}

void draw_arrays(OVwindow *, int) {
    glColor3f(1, 0, 0);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, vertices.data());
    glDrawArrays(GL_TRIANGLES, 0, triangles * 3);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void run(benchmark::State &state, OVwindowdrawfn fn) {
    make_triangles();
    OVuniverse_new(512, 0);
    OVwindow *w = OVwindow_new(0, 0, 640, 480, 0);
    OVwindow_setviewpoint(w, OVuniverse_getviewpoint());
    OVwindow_setdrawfn(w, fn);
    OVrender_frame(); // compile outside the timing
    for (auto _ : state)
        OVrender_frame();
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    list = 0;
    OVuniverse_delete();
}

void BM_DisplayList(benchmark::State &state) {
    run(state, draw_list);
}
void BM_ReferenceDrawArrays(benchmark::State &state) {
    run(state, draw_arrays);
}

BENCHMARK(BM_DisplayList)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReferenceDrawArrays)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
