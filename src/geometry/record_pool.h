// Fixed-size pools for the vertex, polygon, geometry and material table records,
// quadrilaterals' corner arrays and vertex normals (and the scene's node
// records). Models hold millions of them, and an allocation of its own per
// record costs more than reading the record from a file; pooled records also
// lie close together. Records come from aligned blocks, handed out in
// address order the first time; a block whose records are all given back
// goes back to the system, but for one spare per pool kept for the next
// geometry. The simulation thread alone builds geometry, so the pools are not
// locked.
#pragma once

#include "orv/message.h"

#include <cstddef>
#include <cstdint>

namespace orv::geom {

// Bytes of one pool block; blocks are aligned to their size, so that a
// record's block is found from its address.
constexpr std::size_t kPoolBlockBytes = std::size_t{1} << 21;

// Bytes of blocks held by every pool together, spares included.
std::size_t pooled_bytes();
// A zeroed block from the system (fatal when there is none), and its return.
void *map_pool_block();
void unmap_pool_block(void *block);

template <std::size_t Size> class RecordPool {
  public:
#ifdef __SANITIZE_ADDRESS__
    // Sanitizer builds give every record its own block, so that a record
    // used after it was freed is caught.
    void *take() {
        return OVmalloc(Size);
    }
    void give(void *block) {
        OVfree(block);
    }
#else
    void *take() {
        if (!open_) open_ = new_block();
        Block *b = open_;
        void *record;
        if (b->free) {
            record = b->free;
            b->free = *static_cast<void **>(record);
        } else {
            record = reinterpret_cast<unsigned char *>(b) + kFirst + b->fresh++ * kSlot;
        }
        if (++b->live == kSlots) unlink(b); // full: out of the open list
        return record;
    }
    void give(void *record) {
        if (!record) return;
        auto *b = reinterpret_cast<Block *>(reinterpret_cast<std::uintptr_t>(record) &
                                            ~(kPoolBlockBytes - 1));
        if (b->live == kSlots) push(b); // has room again
        *static_cast<void **>(record) = b->free;
        b->free = record;
        if (--b->live == 0) release(b);
    }
#endif

  private:
    struct Block {
        Block *prev, *next;         // the open list: blocks with room
        Block *all_prev, *all_next; // every block, kept reachable for the leak checker
        void *free;                 // records given back
        std::size_t live;           // records handed out
        std::size_t fresh;          // records never handed out start here
    };
    // Records are 8-byte aligned, 16 when their size is a multiple of 16.
    static constexpr std::size_t kSlot = (Size + 7) / 8 * 8;
    static constexpr std::size_t kFirst = 64; // the header, one cache line
    static constexpr std::size_t kSlots = (kPoolBlockBytes - kFirst) / kSlot;
    static_assert(sizeof(Block) <= kFirst);

    Block *new_block() {
        if (Block *b = spare_) {
            spare_ = nullptr;
            return b;
        }
        auto *b = static_cast<Block *>(map_pool_block());
        b->all_next = all_;
        if (all_) all_->all_prev = b;
        all_ = b;
        return b;
    }
    void push(Block *b) {
        b->prev = nullptr;
        b->next = open_;
        if (open_) open_->prev = b;
        open_ = b;
    }
    void unlink(Block *b) {
        (b->prev ? b->prev->next : open_) = b->next;
        if (b->next) b->next->prev = b->prev;
        b->prev = b->next = nullptr;
    }
    // An empty block goes back to the system unless it can be the spare.
    void release(Block *b) {
        unlink(b);
        b->free = nullptr;
        b->fresh = 0;
        if (!spare_) {
            spare_ = b;
            return;
        }
        (b->all_prev ? b->all_prev->all_next : all_) = b->all_next;
        if (b->all_next) b->all_next->all_prev = b->all_prev;
        unmap_pool_block(b);
    }

    Block *open_ = nullptr;
    Block *spare_ = nullptr;
    Block *all_ = nullptr;
};

void *vertex_take();
void vertex_give(void *vertex);
void *poly_take();
void poly_give(void *poly);
// The corner array of a quadrilateral (four vertex pointers), and its return.
void *quad_ring_take();
void quad_ring_give(void *ring);
// A vertex normal's three floats (uninitialised), and their return.
float *normal_take();
void normal_give(float *normal);
// Geometry records lie together in creation order, so that a walk over the
// nodes of many geometries reads them in few pages.
void *geometry_take();
void geometry_give(void *geometry);
// Material table records, likewise in creation order: every geometry begun
// makes one.
void *mtable_take();
void mtable_give(void *table);

} // namespace orv::geom
