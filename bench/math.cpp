// Cost of the quaternion and matrix operations the scene code uses per frame.
#include "orv/orv.h"

#include <benchmark/benchmark.h>

namespace {
void rotation(OVq q) {
    OVp3 axis = {0.3f, -0.5f, 0.8f};
    OVaxisangle_2q(axis, 1.1f, q);
}
} // namespace

static void BM_QuaternionProduct(benchmark::State &state) {
    OVq a, b = {0.1f, 0.2f, 0.3f, 0.9f};
    rotation(a);
    for (auto _ : state) {
        OVq_mult(a, b, b);
        benchmark::DoNotOptimize(b);
    }
}
BENCHMARK(BM_QuaternionProduct);

static void BM_RotatePoint(benchmark::State &state) {
    OVq q;
    rotation(q);
    OVp3 v = {1, 2, 3};
    for (auto _ : state) {
        OVp3_rotateq(v, q, v);
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_RotatePoint);

static void BM_QuaternionToMatrixAndBack(benchmark::State &state) {
    OVq q, back;
    rotation(q);
    OVm3 m;
    for (auto _ : state) {
        OVq_2m3(q, m);
        OVm3_2q(m, back);
        benchmark::DoNotOptimize(back);
    }
}
BENCHMARK(BM_QuaternionToMatrixAndBack);

static void BM_Slerp(benchmark::State &state) {
    OVq a = {0, 0, 0, 1}, b, out;
    rotation(b);
    float t = 0.0f;
    for (auto _ : state) {
        OVq_slerpshortest(a, b, t, out);
        t = t > 1.0f ? 0.0f : t + 0.01f;
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_Slerp);

static void BM_EulerRoundTrip(benchmark::State &state) {
    OVq q;
    OVp3 ref = {0.1f, 0.2f, 0.3f}, out;
    for (auto _ : state) {
        OVeuler_2q(0.1f, 0.2f, 0.3f, q);
        OVq_2euler(q, ref, out);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_EulerRoundTrip);

static void BM_Matrix4Product(benchmark::State &state) {
    OVpq pq = {{1, 2, 3}, {0, 0, 0, 1}};
    rotation(pq.q);
    OVm4 a, b;
    OVpq_2m4(&pq, a);
    OVpq_2m4(&pq, b);
    for (auto _ : state) {
        OVm4_mult(a, b, b);
        benchmark::DoNotOptimize(b);
        OVpq_2m4(&pq, b);
    }
}
BENCHMARK(BM_Matrix4Product);

static void BM_Matrix4Inverse(benchmark::State &state) {
    OVpq pq = {{1, 2, 3}, {0, 0, 0, 1}};
    rotation(pq.q);
    OVm4 m, inv;
    OVpq_2m4(&pq, m);
    for (auto _ : state) {
        OVm4_invert(m, inv);
        benchmark::DoNotOptimize(inv);
    }
}
BENCHMARK(BM_Matrix4Inverse);

static void BM_Matrix4InverseOrtho(benchmark::State &state) {
    OVpq pq = {{1, 2, 3}, {0, 0, 0, 1}};
    rotation(pq.q);
    OVm4 m, inv;
    OVpq_2m4(&pq, m);
    for (auto _ : state) {
        OVm4_invertortho(m, inv);
        benchmark::DoNotOptimize(inv);
    }
}
BENCHMARK(BM_Matrix4InverseOrtho);

static void BM_PolygonNormal(benchmark::State &state) {
    OVp3 pts[6] = {{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {1, 1, 0}, {1, 2, 0}, {0, 2, 0}};
    OVp3 n;
    for (auto _ : state)
        benchmark::DoNotOptimize(OVp3_polynormal(pts, 6, n));
}
BENCHMARK(BM_PolygonNormal);
