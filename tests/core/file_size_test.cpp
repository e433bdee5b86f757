// The platform's count of the bytes left in an open file: regular files
// from the stream's position, and the streams that cannot tell.
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

bool bytes_left(std::FILE *f, std::uint64_t *bytes) {
    return orv::platform::current().process.file_bytes_left(f, bytes);
}

TEST(FileBytesLeft, RegularFileCountsFromTheStreamsPosition) {
    const std::string path =
        (fs::temp_directory_path() / ("orv_file_size_" + std::to_string(::getpid()))).string();
    std::ofstream(path, std::ios::binary) << std::string(10000, 'x');
    std::FILE *f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    std::uint64_t bytes = 0;
    ASSERT_TRUE(bytes_left(f, &bytes));
    EXPECT_EQ(bytes, 10000u);
    char skipped[1234];
    ASSERT_EQ(std::fread(skipped, 1, sizeof skipped, f), sizeof skipped);
    ASSERT_TRUE(bytes_left(f, &bytes));
    EXPECT_EQ(bytes, 10000u - sizeof skipped);
    std::fclose(f);
    // An empty file tells nothing: its reader reads it as a stream.
    std::ofstream(path, std::ios::binary | std::ios::trunc);
    f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    EXPECT_FALSE(bytes_left(f, &bytes));
    std::fclose(f);
    fs::remove(path);
}

TEST(FileBytesLeft, PipesDevicesAndNoStreamCannotTell) {
    std::uint64_t bytes = 0;
    std::FILE *pipe = ::popen("echo hello", "r");
    ASSERT_NE(pipe, nullptr);
    EXPECT_FALSE(bytes_left(pipe, &bytes));
    ::pclose(pipe);
    for (const char *name : {"/dev/null", "/proc/self/status"}) {
        std::FILE *f = std::fopen(name, "rb");
        ASSERT_NE(f, nullptr) << name;
        EXPECT_FALSE(bytes_left(f, &bytes)) << name;
        std::fclose(f);
    }
    EXPECT_FALSE(bytes_left(nullptr, &bytes));
}

} // namespace
