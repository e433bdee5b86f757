// A universe without windows and helpers that save scenes as VRML text.
#pragma once

#include "orv/orv.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

class VrmlTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Saves the node (with the viewpoint as camera, or none) and returns the text.
    std::string save(OVnode *node, OVviewpoint *camera = nullptr);
    // The name of the file save() last wrote.
    std::string file;
    std::string messages;
};

// Whether the text holds the line (indentation aside).
bool has_line(const std::string &text, const std::string &line);

// The text between "<field> [\n" of the n-th face set and its "]" (empty
// when there is none).
std::string field_text(const std::string &text, const std::string &field, int n = 0);

// What the independent reader found in a file.
struct ReadBack {
    long coordinates = -1, faces = -1;
    long texture_pairs = -1, textured_faces = -1;
    std::vector<std::array<float, 3>> diffuse;
    std::vector<std::array<float, 3>> cameras;
    // Per Texture2: "file <name>" or "image <width> <height> <components>".
    std::vector<std::string> textures;
};

#ifdef ORV_COIN_CHECKER
// Reads the file with the checker program; a refused file fails the test.
ReadBack read_back(const std::string &file);
#endif
