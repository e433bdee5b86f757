// The platform's views of files: mapped regular files, read streams, the
// stream left at the end, and a mapped file that shrinks under its view.
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const orv::platform::ProcessServices &services() {
    return orv::platform::current().process;
}

class FileView : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ =
            (fs::temp_directory_path() / ("orv_file_view_" + std::to_string(::getpid()))).string();
        const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
        bytes_.resize(3 * page);
        for (std::size_t i = 0; i < bytes_.size(); ++i)
            bytes_[i] = static_cast<char>('a' + i % 26);
        std::ofstream(path_, std::ios::binary) << bytes_;
    }
    void TearDown() override { fs::remove(path_); }

    std::string path_, bytes_;
};

std::string text_of(const orv::platform::FileView &v) {
    return {reinterpret_cast<const char *>(v.data), v.size};
}

TEST_F(FileView, RegularFileIsMappedFromItsPosition) {
    std::FILE *f = std::fopen(path_.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(std::fseek(f, 100, SEEK_SET), 0);
    orv::platform::FileView v;
    ASSERT_TRUE(services().view_file(f, &v));
    EXPECT_TRUE(v.mapped);
    EXPECT_EQ(text_of(v), bytes_.substr(100));
    EXPECT_EQ(std::ftell(f), static_cast<long>(bytes_.size()));
    EXPECT_FALSE(services().view_torn(&v));
    services().release_view(&v);
    EXPECT_EQ(v.data, nullptr);
    std::fclose(f);
}

TEST_F(FileView, PipeIsReadWhole) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const std::string sent = bytes_.substr(0, 1000); // within the pipe's buffer
    ASSERT_EQ(::write(ends[1], sent.data(), sent.size()), static_cast<ssize_t>(sent.size()));
    ::close(ends[1]);
    std::FILE *f = fdopen(ends[0], "rb");
    ASSERT_NE(f, nullptr);
    orv::platform::FileView v;
    ASSERT_TRUE(services().view_file(f, &v));
    EXPECT_FALSE(v.mapped);
    EXPECT_EQ(text_of(v), sent);
    EXPECT_FALSE(services().view_torn(&v));
    services().release_view(&v);
    std::fclose(f);
}

TEST_F(FileView, EmptyFileAndDeviceGiveNoBytes) {
    std::ofstream(path_, std::ios::trunc);
    for (const char *name : {path_.c_str(), "/dev/null"}) {
        std::FILE *f = std::fopen(name, "rb");
        ASSERT_NE(f, nullptr);
        orv::platform::FileView v;
        ASSERT_TRUE(services().view_file(f, &v)) << name;
        EXPECT_EQ(v.size, 0u) << name;
        services().release_view(&v);
        std::fclose(f);
    }
}

// The pages past the new end read as zeros, and the view says it is torn.
TEST_F(FileView, ShrinkingFileReadsZerosAndIsTorn) {
    std::FILE *f = std::fopen(path_.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    orv::platform::FileView v;
    ASSERT_TRUE(services().view_file(f, &v));
    ASSERT_TRUE(v.mapped);
    EXPECT_EQ(v.data[0], 'a');
    fs::resize_file(path_, bytes_.size() / 3);
    EXPECT_EQ(v.data[v.size - 1], 0);
    EXPECT_EQ(v.data[bytes_.size() / 2], 0);
    EXPECT_TRUE(services().view_torn(&v));
    services().release_view(&v);
    std::fclose(f);
}

// More views at once than the platform watches: each still holds the bytes.
TEST_F(FileView, ManyViewsAtOnce) {
    constexpr int kViews = 40;
    std::vector<std::FILE *> files;
    std::vector<orv::platform::FileView> views(kViews);
    for (auto &v : views) {
        files.push_back(std::fopen(path_.c_str(), "rb"));
        ASSERT_NE(files.back(), nullptr);
        ASSERT_TRUE(services().view_file(files.back(), &v));
    }
    for (auto &v : views) {
        EXPECT_EQ(text_of(v), bytes_);
        services().release_view(&v);
    }
    for (std::FILE *f : files)
        std::fclose(f);
}

} // namespace
