// Views of the rest of an open file. A regular file is mapped from the file
// cache, which spares a copy of every byte and the faults of a fresh buffer;
// anything else (a pipe, or a file that reports no size, as /proc files do)
// is read whole into memory, as is a file when every mapping guard is taken.
#include "platform/posix/posix_services.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <new>

namespace orv::platform::posix {

namespace {

constexpr std::size_t kFirstChunk = 1 << 16; // for streams of unknown length

// Maps a regular file from the stream's position to the end of the file;
// false, the view untouched, where the file cannot be mapped.
bool map_rest(std::FILE *file, FileView *view) {
    const int fd = fileno(file);
    struct stat st;
    if (fd < 0 || fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0) return false;
    const off_t here = ftello(file);
    if (here < 0 || here > st.st_size) return false;
    const auto page = static_cast<off_t>(sysconf(_SC_PAGESIZE));
    const off_t start = here / page * page; // mappings begin on a page
    const auto length = static_cast<std::size_t>(st.st_size - start);
    void *area = mmap(nullptr, length, PROT_READ, MAP_PRIVATE, fd, start);
    if (area == MAP_FAILED) return false;
    const int guard = guard_mapping(area, length);
    if (guard < 0) {
        munmap(area, length);
        return false;
    }
    // Readers pass over the bytes once, front to back (advice only: as fast
    // as populating the whole mapping up front, measured).
    madvise(area, length, MADV_SEQUENTIAL);
    view->guard = guard;
    view->area = area;
    view->area_bytes = length;
    view->mapped = true;
    view->data = static_cast<const unsigned char *>(area) + (here - start);
    view->size = static_cast<std::size_t>(st.st_size - here);
    fseeko(file, st.st_size, SEEK_SET);
    return true;
}

// Reads the rest of the stream into a block that doubles as it fills.
bool read_rest(std::FILE *file, FileView *view) {
    // A seekable stream is read in one piece: one byte more than it holds
    // lets the read see the end without growing the block.
    std::size_t capacity = kFirstChunk;
    const off_t here = ftello(file);
    if (here >= 0 && fseeko(file, 0, SEEK_END) == 0) {
        const off_t end = ftello(file);
        fseeko(file, here, SEEK_SET);
        if (end >= here) capacity = static_cast<std::size_t>(end - here) + 1;
    }
    auto *block = new (std::nothrow) unsigned char[capacity];
    std::size_t size = 0;
    while (block) {
        if (size == capacity) {
            auto *larger = new (std::nothrow) unsigned char[capacity * 2];
            if (larger) std::memcpy(larger, block, size);
            delete[] block;
            block = larger;
            capacity *= 2;
            continue;
        }
        const std::size_t got = std::fread(block + size, 1, capacity - size, file);
        size += got;
        if (got == 0 || std::feof(file) || std::ferror(file)) break;
    }
    if (!block) return false;
    view->area = block;
    view->area_bytes = capacity;
    view->data = block;
    view->size = size;
    return true;
}

} // namespace

bool view_file(std::FILE *file, FileView *view) {
    *view = {};
    return file && (map_rest(file, view) || read_rest(file, view));
}

bool view_torn(const FileView *view) {
    return view->mapped && mapping_torn(view->guard);
}

void release_view(FileView *view) {
    if (view->mapped) {
        unguard_mapping(view->guard);
        munmap(view->area, view->area_bytes);
    } else
        delete[] static_cast<unsigned char *>(view->area);
    *view = {};
}

} // namespace orv::platform::posix
