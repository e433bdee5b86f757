// A universe without windows and helpers that save scenes as VRML text.
#pragma once

#include "orv/orv.h"

#include <gtest/gtest.h>

#include <string>

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
