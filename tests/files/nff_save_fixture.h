// A universe, a scratch directory as the working directory (the text writer
// puts material files there), captured messages, and geometry comparisons
// for the NFF writer tests.
#pragma once

#include "orv/file.h"
#include "orv/geometry.h"
#include "orv/message.h"
#include "orv/mtable.h"
#include "orv/universe.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace nfftest {

namespace fs = std::filesystem;

extern std::string g_log;

class NffSave : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Saves g as type with the universe's writer settings; the file's path.
    std::string save(OVgeometry *g, int type, const char *file, const OVpq *view = nullptr);
    // Loads a model file of the given type; the first geometry (kept for
    // deletion) or null.
    OVgeometry *load(const std::string &path, int type, OVpq *view = nullptr, int merge = 0);
    // The whole file as text.
    static std::string contents(const std::string &path);
    static void write_bytes(const std::string &path, const std::string &bytes);
    bool logged(const std::string &s) const { return g_log.find(s) != std::string::npos; }

    fs::path dir_, previous_;
    std::vector<OVgeomlist *> loaded_;
};

// Every primitive shape, coloured, with ids, two-sided faces and vertex colours.
std::vector<OVgeometry *> decorated_primitives();

// Index of v in g's vertex list.
int vertex_number(OVgeometry *g, OVvertex *v);

// What a round trip must keep: vertices (positions, normals, own colours),
// faces (corner numbers), polygon colours, ids and two-sidedness.
void expect_same_geometry(OVgeometry *a, OVgeometry *b, const std::string &what);

} // namespace nfftest
