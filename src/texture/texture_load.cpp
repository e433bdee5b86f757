// Loading an image file as a texture: the search, the decoder chosen by the
// file's first bytes, and the resizing to what OpenGL accepts.
#include "orv/message.h"
#include "texture/image.h"
#include "texture/texture_errors.h"
#include "texture/texture_access.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace orv::tex {

namespace {

// No image file of the supported kinds needs more at these sizes.
constexpr long kMaxFileBytes = 256L << 20;
const char *const kExtensions[] = {".tga", ".rgb", ".jpg"};
ImageFinder finder = nullptr;

// The name as given when no search is connected.
const char *as_given(const char *name, const char *) {
    std::FILE *f = std::fopen(name, "rb");
    if (!f) return nullptr;
    std::fclose(f);
    return name;
}

const char *find_path(const char *name) {
    return (finder ? finder : as_given)(name, "OVIMAGES");
}

bool has_extension(const char *name) {
    const char *slash = std::strrchr(name, '/');
    const char *back = std::strrchr(name, '\\');
    if (!slash || (back && back > slash)) slash = back;
    return std::strchr(slash ? slash : name, '.') != nullptr;
}

// The file along OVIMAGES, retried with the known extensions; empty when not found.
std::string find_image(const char *name) {
    if (const char *found = find_path(name)) return found;
    if (has_extension(name)) return {};
    for (const char *ext : kExtensions) {
        // The finder may answer with the very name it was given: kept alive until copied.
        const std::string candidate = std::string(name) + ext;
        if (const char *found = find_path(candidate.c_str())) return found;
    }
    return {};
}

struct FileCloser {
    void operator()(std::FILE *f) const { std::fclose(f); }
};

// The whole file, or an error code.
int read_file(const std::string &path, std::vector<std::uint8_t> &bytes) {
    std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "rb"));
    if (!f) return kNotFound;
    if (std::fseek(f.get(), 0, SEEK_END) != 0) return kReadError;
    long size = std::ftell(f.get());
    if (size < 0 || std::fseek(f.get(), 0, SEEK_SET) != 0) return kReadError;
    if (size > kMaxFileBytes) return kTooLarge;
    bytes.resize(static_cast<std::size_t>(size));
    if (size && std::fread(bytes.data(), 1, bytes.size(), f.get()) != bytes.size())
        return kReadError;
    return 0;
}

int decode(const std::uint8_t *bytes, std::size_t size, const char *path, Image &image) {
    if (looks_like_jpeg(bytes, size)) return read_jpeg(bytes, size, path, image);
    if (looks_like_sgi(bytes, size)) return read_sgi(bytes, size, path, image);
    return read_targa(bytes, size, path, image);
}

unsigned char *copy_pixels(const Image &image, int *width, int *height) {
    auto *pixels = static_cast<unsigned char *>(OVmalloc(image.rgba.size()));
    std::memcpy(pixels, image.rgba.data(), image.rgba.size());
    if (width) *width = image.width;
    if (height) *height = image.height;
    return pixels;
}

} // namespace

void set_image_finder(ImageFinder find) {
    finder = find;
}

} // namespace orv::tex

extern "C" {

ORV_API unsigned char *OVtexture_load(const char *path, int *width, int *height) {
    using namespace orv::tex;
    if (!path || !*path) return nullptr;
    std::string found = find_image(path);
    std::vector<std::uint8_t> bytes;
    Image image;
    int code = found.empty() ? static_cast<int>(kNotFound) : read_file(found, bytes);
    if (!code) code = decode(bytes.data(), bytes.size(), path, image);
    if (code) {
        report_error(code, path);
        return nullptr;
    }
    fit_texture(image.rgba, image.width, image.height, current_limits());
    return copy_pixels(image, width, height);
}

ORV_API unsigned char *_OVimage_decode(const void *bytes, size_t size, const char *name, int *width,
                                       int *height) {
    using namespace orv::tex;
    if (!bytes || !name) return nullptr;
    Image image;
    if (int code = decode(static_cast<const std::uint8_t *>(bytes), size, name, image)) {
        report_error(code, name);
        return nullptr;
    }
    return copy_pixels(image, width, height);
}

} // extern "C"
