// The model and image search: names that open as given, the lists that take
// the place of the environment variables, and the ".nff" of bare model names.
#include "orv/file.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

class ModelSearch : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = orv_test::scratch_dir("orv_model_search");
        fs::create_directories(dir_ / "models");
        fs::create_directories(dir_ / "images");
        std::ofstream(dir_ / "models" / "chair.nff") << "nff";
        std::ofstream(dir_ / "images" / "wood.tga") << "x";
    }
    void TearDown() override {
        OVfile_setmodelpath("");
        OVfile_setimagepath("");
        unsetenv("OVMODELS");
        unsetenv("OVIMAGES");
        unsetenv("ORV_TEST_LIST");
    }
    static std::string found(const char *result) { return result ? result : "(null)"; }
    std::string at(const fs::path &relative) const { return (dir_ / relative).string(); }

    fs::path dir_;
};

TEST_F(ModelSearch, ANameThatOpensIsTheResultAsGiven) {
    OVfile_setmodelpath(at("images").c_str());
    const std::string direct = at("models/chair.nff");
    EXPECT_EQ(found(_OVfile_findpath(direct.c_str(), "OVMODELS")), direct);
    // Also for a list that is not set at all.
    EXPECT_EQ(found(_OVfile_findpath(direct.c_str(), "ORV_TEST_LIST")), direct);
}

TEST_F(ModelSearch, EachListServesOnlyItsOwnName) {
    OVfile_setmodelpath(at("models").c_str());
    OVfile_setimagepath(at("images").c_str());
    EXPECT_EQ(found(_OVfile_findpath("wood.tga", "OVIMAGES")), at("images/wood.tga"));
    EXPECT_EQ(_OVfile_findpath("wood.tga", "OVMODELS"), nullptr);
    EXPECT_EQ(_OVfile_findpath("chair.nff", "OVIMAGES"), nullptr);
    // Another list name reads the variable of that name only.
    EXPECT_EQ(_OVfile_findpath("chair.nff", "ORV_TEST_LIST"), nullptr);
    setenv("ORV_TEST_LIST", at("models").c_str(), 1);
    EXPECT_EQ(found(_OVfile_findpath("chair.nff", "ORV_TEST_LIST")), at("models/chair.nff"));
}

TEST_F(ModelSearch, SetListsReplaceTheVariablesWhileNotEmpty) {
    setenv("OVIMAGES", at("models").c_str(), 1);
    EXPECT_EQ(_OVfile_findpath("wood.tga", "OVIMAGES"), nullptr);
    OVfile_setimagepath(at("images").c_str());
    EXPECT_EQ(found(_OVfile_findpath("wood.tga", "OVIMAGES")), at("images/wood.tga"));
    EXPECT_EQ(_OVfile_findpath("chair.nff", "OVIMAGES"), nullptr); // the variable is not read
    OVfile_setimagepath("");
    EXPECT_EQ(found(_OVfile_findpath("chair.nff", "OVIMAGES")), at("models/chair.nff"));
}

TEST_F(ModelSearch, ASeparatorIsAddedOnlyWhenMissing) {
    const std::string list = at("images") + "/;" + at("models") + "/";
    OVfile_setmodelpath(list.c_str());
    EXPECT_EQ(found(_OVfile_findpath("chair.nff", "OVMODELS")), at("models/chair.nff"));
}

TEST_F(ModelSearch, BareModelNamesGetTheExtension) {
    OVfile_setmodelpath(at("models").c_str());
    EXPECT_EQ(found(_OVfile_findmodel("chair")), at("models/chair.nff"));
    EXPECT_EQ(found(_OVfile_findmodel("chair.nff")), at("models/chair.nff"));
    // A dot in a directory is no extension of the name.
    fs::create_directories(dir_ / "v1.2");
    std::ofstream(dir_ / "v1.2" / "table.nff") << "nff";
    const std::string bare = at("v1.2/table");
    EXPECT_EQ(found(_OVfile_findmodel(bare.c_str())), bare + ".nff");
    EXPECT_EQ(_OVfile_findmodel("nothing"), nullptr);
}

} // namespace
