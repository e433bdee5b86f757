// Scratch directories of one test process. The name carries the process id,
// so that parallel runs of the same suite never write each other's files.
#pragma once

#include <filesystem>
#include <string>
#include <unistd.h>

namespace orv_test {

// An empty directory <temp>/<stem>_<pid>, made afresh on each call.
inline std::filesystem::path scratch_dir(const std::string &stem) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / (stem + "_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

// A file name in the temporary directory unique to this process.
inline std::string scratch_file(const std::string &name) {
    return (std::filesystem::temp_directory_path() / (std::to_string(::getpid()) + "_" + name))
        .string();
}

} // namespace orv_test
