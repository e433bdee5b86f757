// Fixed-size pools for the corner, vertex and polygon records. Models hold
// millions of them, and an allocation of its own per record costs more than
// reading the record from a file; pooled records also lie close together.
// The simulation thread alone builds geometry, so the pools are not locked.
#pragma once

#include "orv/message.h"

#include <cstddef>

namespace orv::geom {

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
        if (!free_) grow();
        Node *n = free_;
        free_ = n->next;
        return n;
    }
    // Freed records are kept for the next geometry: a model loaded again
    // reuses them instead of taking fresh pages from the system.
    void give(void *block) {
        if (!block) return;
        auto *n = static_cast<Node *>(block);
        n->next = free_;
        free_ = n;
    }
#endif

  private:
    union Node {
        Node *next;
        alignas(std::max_align_t) unsigned char bytes[Size];
    };
    static constexpr std::size_t kPerSlab = 65536 / sizeof(Node);

    // Node 0 of a slab links the slabs; the others are records.
    void grow() {
        auto *slab = static_cast<Node *>(OVmalloc(sizeof(Node) * kPerSlab));
        slab[0].next = slabs_;
        slabs_ = slab;
        for (std::size_t i = kPerSlab - 1; i > 0; --i) {
            slab[i].next = free_;
            free_ = &slab[i];
        }
    }
    Node *free_ = nullptr;
    Node *slabs_ = nullptr; // kept reachable for the leak checker
};

void *corner_take();
void corner_give(void *corner);
void *vertex_take();
void vertex_give(void *vertex);
void *poly_take();
void poly_give(void *poly);

} // namespace orv::geom
