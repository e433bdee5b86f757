// Targa images: true colour, grey and colour-mapped, plain or run-length
// encoded, in either row order.
#include "texture/image.h"

#include "orv/message.h"
#include "texture/image_bytes.h"
#include "texture/texture_errors.h"

#include <cstdio>

namespace orv::tex {

namespace {

enum TargaType : int {
    kMapped = 1,
    kTrueColor = 2,
    kGrey = 3,
    kMappedRle = 9,
    kTrueColorRle = 10,
    kGreyRle = 11,
    kMappedHuffman = 32,
    kMappedHuffmanQuad = 33
};

constexpr int kRleFlag = 0x80;
constexpr int kRunMask = 0x7F;
constexpr int kAttributeBits = 0x0F;
constexpr int kRightToLeft = 0x10;
constexpr int kTopToBottom = 0x20;
constexpr int kInterleave = 0xC0;

struct Header {
    int id_length, map_type, type, map_start, map_length, map_bits;
    int width, height, bits, descriptor;
};

struct Texel {
    std::uint8_t r, g, b, a;
};

bool known_bits(int bits) {
    return bits == 8 || bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

int bytes_of(int bits) {
    return (bits + 7) / 8;
}

std::uint8_t widen5(int v) {
    return static_cast<std::uint8_t>(v << 3 | v >> 2);
}

// One stored texel; alpha is taken from the file only when the descriptor
// says the texels carry attribute bits.
Texel decode(const std::uint8_t *p, int bits, bool grey, bool has_alpha) {
    switch (bits) {
    case 8:
        return {p[0], p[0], p[0], 255};
    case 15:
    case 16: {
        if (grey && bits == 16) return {p[0], p[0], p[0], p[1]};
        int v = p[0] | p[1] << 8;
        std::uint8_t a = bits == 16 && has_alpha && !(v & 0x8000) ? 0 : 255;
        return {widen5(v >> 10 & 31), widen5(v >> 5 & 31), widen5(v & 31), a};
    }
    case 24:
        return {p[2], p[1], p[0], 255};
    default:
        return {p[2], p[1], p[0], has_alpha ? p[3] : std::uint8_t{255}};
    }
}

bool is_mapped(int type) {
    return type == kMapped || type == kMappedRle || type == kMappedHuffman ||
           type == kMappedHuffmanQuad;
}

bool is_rle(int type) {
    return type == kMappedRle || type == kTrueColorRle || type == kGreyRle;
}

Header read_header(ByteReader &in) {
    Header h{};
    h.id_length = in.u8();
    h.map_type = in.u8();
    h.type = in.u8();
    h.map_start = in.le16();
    h.map_length = in.le16();
    h.map_bits = in.u8();
    in.le16(); // origin x
    in.le16(); // origin y
    h.width = in.le16();
    h.height = in.le16();
    h.bits = in.u8();
    h.descriptor = in.u8();
    return h;
}

// The type and size checks, with their messages; 0 when the header is usable.
int check_header(const Header &h, const char *path) {
    if (h.type == kTrueColor || h.type == kGrey || h.type == kTrueColorRle || h.type == kGreyRle) {
        if (!known_bits(h.bits)) {
            OVwarning("%s - unknown pixel size - %d\n", path, h.bits);
            return kReported;
        }
    } else if (is_mapped(h.type)) {
        if (h.map_type != 1) {
            OVwarning("%s - mapped image (type %d) with color \t\t\t\t\t\t\t\tmap type != 1\n",
                      path, h.type);
            return kReported;
        }
        if (!known_bits(h.map_bits)) {
            OVwarning("%s - unknown colormap pixel size \t\t\t\t\t\t\t\t\t- %d\n", path,
                      h.map_bits);
            return kReported;
        }
        if (h.bits != 8 && h.bits != 16) {
            OVwarning("%s - unknown pixel size - %d\n", path, h.bits);
            return kReported;
        }
        // The compressed colour-mapped forms are not decoded.
        if (h.type == kMappedHuffman || h.type == kMappedHuffmanQuad) return kColorMap;
    } else {
        OVwarning("%s - unknown Targa image type %d\n", path, h.type);
        return kReported;
    }
    if (h.width == 0 || h.height == 0) return kBadSize;
    if (h.width > kMaxTargaSide || h.height > kMaxTargaSide) return kTooLarge;
    if (h.descriptor & kInterleave) {
        std::fputs("Do not support interleaved TARGA files.\n", stderr);
        return kReported;
    }
    return 0;
}

class TargaDecoder {
  public:
    TargaDecoder(const Header &h, ByteReader &in, Image &out) : h_(h), in_(in), out_(out) {}

    // 0, kBadFormat for runs or indices the image cannot hold, or -1 when
    // the file ends early.
    int run() {
        const bool has_alpha = (h_.descriptor & kAttributeBits) != 0;
        if (h_.map_type == 1 && !read_map(has_alpha)) return -1;
        const std::size_t total = static_cast<std::size_t>(h_.width) * h_.height;
        const int pixel_bytes = bytes_of(h_.bits);
        // Even a fully run-length coded image needs a packet per 128 texels.
        std::size_t least = is_rle(h_.type)
                                ? (total + kRunMask) / (kRunMask + 1) * (1 + pixel_bytes)
                                : total * pixel_bytes;
        if (in_.left() < least) return -1;
        out_.width = h_.width;
        out_.height = h_.height;
        out_.rgba.assign(total * 4, 0);
        std::size_t i = 0;
        while (i < total) {
            int count = 1;
            bool repeat = false;
            if (is_rle(h_.type)) {
                int packet = in_.u8();
                count = (packet & kRunMask) + 1;
                repeat = packet & kRleFlag;
                if (static_cast<std::size_t>(count) > total - i) return kBadFormat;
            }
            Texel t{};
            for (int k = 0; k < count; ++k, ++i) {
                if (k == 0 || !repeat) {
                    const std::uint8_t *p = in_.bytes(static_cast<std::size_t>(pixel_bytes));
                    if (!p) return -1;
                    if (!texel(p, has_alpha, &t)) return kBadFormat;
                }
                put(i, t);
            }
        }
        return 0;
    }

  private:
    // Decodes the map of a mapped image; skips the one a true colour or grey
    // image may carry, whose entry size was never checked.
    bool read_map(bool has_alpha) {
        const int entry_bytes = bytes_of(h_.map_bits);
        const std::uint8_t *p = in_.bytes(static_cast<std::size_t>(h_.map_length) *
                                          static_cast<std::size_t>(entry_bytes));
        if (!p) return false;
        if (!is_mapped(h_.type)) return true;
        map_.resize(static_cast<std::size_t>(h_.map_length));
        for (int k = 0; k < h_.map_length; ++k)
            map_[static_cast<std::size_t>(k)] =
                decode(p + k * entry_bytes, h_.map_bits, false, has_alpha);
        return true;
    }

    // False for an index outside the colour map.
    bool texel(const std::uint8_t *p, bool has_alpha, Texel *t) const {
        if (!is_mapped(h_.type)) {
            bool grey = h_.type == kGrey || h_.type == kGreyRle;
            *t = decode(p, h_.bits, grey, has_alpha);
            return true;
        }
        int index = (h_.bits == 16 ? p[0] | p[1] << 8 : p[0]) - h_.map_start;
        if (index < 0 || index >= static_cast<int>(map_.size())) return false;
        *t = map_[static_cast<std::size_t>(index)];
        return true;
    }

    // Texel i of the file to its place, the first row being the top.
    void put(std::size_t i, const Texel &t) {
        std::size_t w = static_cast<std::size_t>(h_.width);
        std::size_t row = i / w, col = i % w;
        if (!(h_.descriptor & kTopToBottom)) row = static_cast<std::size_t>(h_.height) - 1 - row;
        if (h_.descriptor & kRightToLeft) col = w - 1 - col;
        std::uint8_t *d = out_.rgba.data() + (row * w + col) * 4;
        d[0] = t.r;
        d[1] = t.g;
        d[2] = t.b;
        d[3] = t.a;
    }

    const Header &h_;
    ByteReader &in_;
    Image &out_;
    std::vector<Texel> map_;
};

} // namespace

int read_targa(const std::uint8_t *data, std::size_t size, const char *path, Image &out) {
    ByteReader in(data, size);
    Header h = read_header(in);
    if (!in.ok() || !in.skip(static_cast<std::size_t>(h.id_length))) {
        std::fprintf(stderr, "error in reading %s\n", path);
        return kReported;
    }
    if (int code = check_header(h, path)) return code;
    int result = TargaDecoder(h, in, out).run();
    if (result < 0) {
        std::fprintf(stderr, "error in reading %s\n", path);
        result = kReported;
    }
    if (result) out = Image{};
    return result;
}

} // namespace orv::tex
