// SGI images: verbatim or run-length encoded, 1 to 4 channels of 8 or 16
// bits, stored bottom row first.
#include "texture/image.h"

#include "texture/image_bytes.h"
#include "texture/texture_errors.h"

namespace orv::tex {

namespace {

constexpr int kMagic = 474;
constexpr std::size_t kHeaderSize = 512;
constexpr int kStorageRle = 1;
constexpr int kColorMapOffset = 104; // the colour-map id in the header
constexpr int kMaxChannels = 4;
constexpr int kRunMask = 0x7F;
constexpr int kCopyFlag = 0x80;

struct Header {
    int storage, bytes_per_channel, dimension, width, height, channels;
    std::uint32_t colormap;
};

Header read_header(ByteReader &in) {
    Header h{};
    in.be16(); // magic
    h.storage = in.u8();
    h.bytes_per_channel = in.u8();
    h.dimension = in.be16();
    h.width = in.be16();
    h.height = in.be16();
    h.channels = in.be16();
    in.seek(kColorMapOffset);
    h.colormap = in.be32();
    // A one-dimensional image is a single row of one channel.
    if (h.dimension == 1) h.height = h.channels = 1;
    if (h.dimension == 2) h.channels = 1;
    return h;
}

int check_header(const Header &h, std::size_t size) {
    if (size < kHeaderSize) return kReadError;
    if (h.storage > kStorageRle || h.bytes_per_channel < 1 || h.bytes_per_channel > 2 ||
        h.dimension < 1 || h.dimension > 3 || h.channels < 1)
        return kBadFormat;
    if (h.colormap != 0) return kColorMap;
    if (h.width == 0 || h.height == 0) return kBadSize;
    if (h.width > kMaxImageSide || h.height > kMaxImageSide) return kTooLarge;
    return 0;
}

// One channel row (width values, high byte of 16-bit values) decoded into
// row; false when a run overflows the row or leaves it short, or the bytes end.
bool unpack_row(ByteReader &in, int bpc, int width, std::uint8_t *row) {
    int x = 0;
    for (;;) {
        const std::uint8_t *p = in.bytes(static_cast<std::size_t>(bpc));
        if (!p) return false;
        int count = p[bpc - 1] & kRunMask;
        if (!count) return x == width;
        if (count > width - x) return false;
        if (p[bpc - 1] & kCopyFlag) {
            const std::uint8_t *v = in.bytes(static_cast<std::size_t>(count * bpc));
            if (!v) return false;
            for (int k = 0; k < count; ++k)
                row[x++] = v[k * bpc];
        } else {
            const std::uint8_t *v = in.bytes(static_cast<std::size_t>(bpc));
            if (!v) return false;
            for (int k = 0; k < count; ++k)
                row[x++] = v[0];
        }
    }
}

void verbatim_row(const std::uint8_t *p, int bpc, int width, std::uint8_t *row) {
    for (int x = 0; x < width; ++x)
        row[x] = p[x * bpc];
}

// Planes (channel-major, rows bottom first) to RGBA, top row first.
void interleave(const Header &h, int planes, const std::vector<std::uint8_t> &plane, Image &out) {
    const std::size_t w = static_cast<std::size_t>(h.width),
                      rows = static_cast<std::size_t>(h.height);
    out.width = h.width;
    out.height = h.height;
    out.rgba.assign(w * rows * 4, 255);
    for (std::size_t y = 0; y < rows; ++y) {
        std::uint8_t *d = out.rgba.data() + (rows - 1 - y) * w * 4;
        for (std::size_t x = 0; x < w; ++x, d += 4) {
            auto at = [&](int z) {
                return plane[(static_cast<std::size_t>(z) * rows + y) * w + x];
            };
            if (planes <= 2) {
                d[0] = d[1] = d[2] = at(0);
                if (planes == 2) d[3] = at(1);
            } else {
                for (int z = 0; z < planes; ++z)
                    d[z] = at(z);
            }
        }
    }
}

} // namespace

bool looks_like_sgi(const std::uint8_t *data, std::size_t size) {
    return size >= 2 && (data[0] << 8 | data[1]) == kMagic;
}

int read_sgi(const std::uint8_t *data, std::size_t size, const char *, Image &out) {
    ByteReader in(data, size);
    Header h = read_header(in);
    if (int code = check_header(h, size)) return code;
    const int planes = h.channels < kMaxChannels ? h.channels : kMaxChannels;
    const std::size_t w = static_cast<std::size_t>(h.width);
    const std::size_t rows = static_cast<std::size_t>(h.height) * static_cast<std::size_t>(planes);
    const std::size_t bpc = static_cast<std::size_t>(h.bytes_per_channel);
    std::vector<std::uint8_t> plane;
    if (h.storage != kStorageRle) {
        // Every channel's rows are stored whole, so the file must hold them all.
        if (size - kHeaderSize < static_cast<std::size_t>(h.channels) * h.height * w * bpc)
            return kReadError;
        plane.resize(rows * w);
        for (std::size_t r = 0; r < rows; ++r)
            verbatim_row(data + kHeaderSize + r * w * bpc, h.bytes_per_channel, h.width,
                         plane.data() + r * w);
    } else {
        // Offset and length tables: one entry per row of every channel.
        const std::size_t entries = static_cast<std::size_t>(h.height) * h.channels;
        if (size - kHeaderSize < entries * 8) return kReadError;
        plane.resize(rows * w);
        for (std::size_t r = 0; r < rows; ++r) {
            in.seek(kHeaderSize + r * 4);
            std::uint32_t start = in.be32();
            in.seek(kHeaderSize + (entries + r) * 4);
            std::uint32_t length = in.be32();
            if (start > size || length > size - start) return kReadError;
            ByteReader row(data + start, length);
            if (!unpack_row(row, h.bytes_per_channel, h.width, plane.data() + r * w))
                return row.ok() ? kBadFormat : kReadError;
        }
    }
    interleave(h, planes, plane, out);
    return 0;
}

} // namespace orv::tex
