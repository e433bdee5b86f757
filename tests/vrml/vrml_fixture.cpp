#include "vrml_fixture.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {
std::string *captured = nullptr;
int capture(const char *text) {
    if (captured) *captured += text;
    return 0;
}
constexpr int no_windows = 512;
} // namespace

void VrmlTest::SetUp() {
    captured = &messages;
    OVmessage_sethook(capture);
    OVuniverse_new(no_windows, 0);
    file = ::testing::TempDir() + "scene" + std::to_string(getpid()) + ".wrl";
}

void VrmlTest::TearDown() {
    OVuniverse_delete();
    OVmessage_sethook(nullptr);
    captured = nullptr;
    std::remove(file.c_str());
}

std::string VrmlTest::save(OVnode *node, OVviewpoint *camera) {
    EXPECT_TRUE(OVnode_save(node, file.c_str(), camera, OVFILE_VRML1, 0));
    std::ifstream in(file);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool has_line(const std::string &text, const std::string &line) {
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) {
        const size_t start = l.find_first_not_of(' ');
        if (start != std::string::npos && l.substr(start) == line) return true;
    }
    return false;
}

std::string field_text(const std::string &text, const std::string &field, int n) {
    size_t at = 0;
    for (int i = 0; i <= n; ++i) {
        at = text.find("IndexedFaceSet {", at);
        if (at == std::string::npos) return {};
        ++at;
    }
    at = text.find(field + " [\n", at);
    if (at == std::string::npos) return {};
    at += field.size() + 3;
    return text.substr(at, text.find(']', at) - at);
}

#ifdef ORV_COIN_CHECKER
ReadBack read_back(const std::string &file) {
    ReadBack r;
    // The reader keeps memory to the end of its process: leak checks of a
    // sanitizer build judge the toolkit, not it.
    const std::string command = "ASAN_OPTIONS=detect_leaks=0 " + std::string(ORV_COIN_CHECKER) +
                                " '" + file + "' 2>/dev/null";
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe) return r;
    char line[512];
    while (std::fgets(line, sizeof line, pipe)) {
        std::istringstream in(line);
        std::string key;
        in >> key;
        std::array<float, 3> v{};
        if (key == "coordinates") in >> r.coordinates;
        if (key == "faces") in >> r.faces;
        if (key == "texcoords") in >> r.texture_pairs;
        if (key == "texfaces") in >> r.textured_faces;
        if (key == "diffuse" && in >> v[0] >> v[1] >> v[2]) r.diffuse.push_back(v);
        if (key == "camera" && in >> v[0] >> v[1] >> v[2]) r.cameras.push_back(v);
        if (key == "texture") {
            std::string rest;
            std::getline(in >> std::ws, rest);
            r.textures.push_back(rest);
        }
    }
    EXPECT_EQ(pclose(pipe), 0) << "the reader refused " << file;
    return r;
}
#endif
