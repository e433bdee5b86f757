// JPEG images through libjpeg, with an error manager that returns to the
// reader instead of ending the process.
#include "texture/image.h"

#include "orv/message.h"
#include "texture/texture_errors.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
// jpeglib.h must come first: jerror.h uses its types.
#include <jerror.h>

namespace orv::tex {

namespace {

constexpr int kWarningLevel = -1;

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf back;
    int code; // the texture error the reader ends with
};

[[noreturn]] void error_exit(j_common_ptr info) {
    auto *err = reinterpret_cast<ErrorManager *>(info->err);
    std::longjmp(err->back, 1);
}

// Data that ends early is an error here, not a grey bottom to the picture.
void emit_message(j_common_ptr info, int level) {
    if (level == kWarningLevel && info->err->msg_code == JWRN_JPEG_EOF) {
        reinterpret_cast<ErrorManager *>(info->err)->code = kReadError;
        error_exit(info);
    }
    if (level == kWarningLevel) ++info->err->num_warnings;
}

void output_message(j_common_ptr) {}

} // namespace

bool looks_like_jpeg(const std::uint8_t *data, std::size_t size) {
    return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

int read_jpeg(const std::uint8_t *data, std::size_t size, const char *path, Image &out) {
    jpeg_decompress_struct info{};
    ErrorManager err{};
    info.err = jpeg_std_error(&err.base);
    err.base.error_exit = error_exit;
    err.base.emit_message = emit_message;
    err.base.output_message = output_message;
    err.code = 0;
    if (setjmp(err.back)) {
        jpeg_destroy_decompress(&info);
        out.rgba.clear();
        out.rgba.shrink_to_fit();
        out.width = out.height = 0;
        if (err.code) return err.code;
        std::fprintf(stderr, "JPEG: Cannot open %s\n", path);
        return kReported;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    int result = 0;
    if (info.num_components != 1 && info.num_components != 3) {
        OVwarning("Unsupported number of components per pixel in JPEG \t\t\t\t\tfile %s\n", path);
        result = kReported;
    } else if (info.image_width == 0 || info.image_height == 0) {
        result = kBadSize;
    } else if (info.image_width > kMaxImageSide || info.image_height > kMaxImageSide) {
        result = kTooLarge;
    }
    if (result) {
        jpeg_destroy_decompress(&info);
        return result;
    }
    // Past the header a failure is in the picture data, not the file's kind.
    err.code = kBadFormat;
    info.out_color_space = info.num_components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&info);
    const int channels = info.output_components;
    const std::size_t w = info.output_width, h = info.output_height;
    out.width = static_cast<int>(w);
    out.height = static_cast<int>(h);
    out.rgba.assign(w * h * 4, 255);
    // From libjpeg's own pool, so that a jump back to the reader leaks nothing.
    JSAMPARRAY line = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                static_cast<JDIMENSION>(w) * channels, 1);
    // The first scan line is the top of the picture, as the first Targa row.
    while (info.output_scanline < h) {
        std::uint8_t *d = out.rgba.data() + info.output_scanline * w * 4;
        jpeg_read_scanlines(&info, line, 1);
        for (std::size_t x = 0; x < w; ++x, d += 4)
            for (int c = 0; c < 3; ++c)
                d[c] = line[0][x * static_cast<std::size_t>(channels) + (channels == 3 ? c : 0)];
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return 0;
}

} // namespace orv::tex
