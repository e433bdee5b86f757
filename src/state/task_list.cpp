// Tasks: the run list sorted by priority, the owner hash, and the pending
// list through which every change reaches the run list between passes.
#include "core/finite.h"
#include "orv/message.h"
#include "orv/task.h"
#include "orv/orv_internal.h"

#include <cstdint>

struct OVtask {
    void *owner;
    OVtaskfn function;
    float priority;
    float requested;
    unsigned flags;
    OVtask *next, *prev;             // run list
    OVtask *owner_next, *owner_prev; // tasks of the same owner, creation order
    OVtask *bucket_next;
    OVtask *pending_next;
    bool pending;
};

namespace {

constexpr unsigned suspended = 1, deleted = 2;
constexpr int buckets = 32;

struct TaskState {
    OVtask *head, *tail;
    OVtask *bucket[buckets];
    OVtask *pending_head, *pending_tail;
    float sum;
    int count;
};

TaskState state;
// Grows at every clear, so that a run notices a clear made by a task.
unsigned generation = 0;
// A task that runs the tasks slot itself would free tasks (its own one
// included) under the outer walk.
bool running = false;

int bucket_of(const void *owner) {
    auto h = static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(owner));
    return ((h >> 3) + (h >> 8) + (h >> 13)) & 31;
}

void make_pending(OVtask *task) {
    if (task->pending) return;
    task->pending = true;
    task->pending_next = nullptr;
    if (state.pending_tail)
        state.pending_tail->pending_next = task;
    else
        state.pending_head = task;
    state.pending_tail = task;
}

void unlink_run(OVtask *task) {
    (task->prev ? task->prev->next : state.head) = task->next;
    (task->next ? task->next->prev : state.tail) = task->prev;
    task->next = task->prev = nullptr;
}

void link_after(OVtask *task, OVtask *after) {
    task->prev = after;
    task->next = after ? after->next : state.head;
    (task->next ? task->next->prev : state.tail) = task;
    (after ? after->next : state.head) = task;
}

// The first task of the owner's chain (tasks of one owner share a bucket).
OVtask *first_of(const void *owner) {
    OVtask *first = nullptr;
    for (OVtask *t = state.bucket[bucket_of(owner)]; t; t = t->bucket_next)
        if (t->owner == owner && !t->owner_prev) first = t;
    return first;
}

void free_task(OVtask *task) {
    OVtask **link = &state.bucket[bucket_of(task->owner)];
    while (*link != task)
        link = &(*link)->bucket_next;
    *link = task->bucket_next;
    if (task->owner_prev) task->owner_prev->owner_next = task->owner_next;
    if (task->owner_next) task->owner_next->owner_prev = task->owner_prev;
    state.sum -= task->requested;
    --state.count;
    OVfree(task);
}

// Walks the sorted list from the nearer end for the average and places the
// task after every task of equal priority.
void insert_sorted(OVtask *task) {
    task->priority = task->requested;
    OVtask *after;
    if (state.sum / static_cast<float>(state.count) > task->priority) {
        after = nullptr;
        for (OVtask *t = state.head; t && t->priority <= task->priority; t = t->next)
            after = t;
    } else {
        after = state.tail;
        while (after && after->priority > task->priority)
            after = after->prev;
    }
    link_after(task, after);
}

// Every pending task leaves the run list before any is placed, so that the
// walks see only sorted tasks: a pending task still sitting at its stale
// place would otherwise stop a walk early and leave the list unsorted.
void drain_pending() {
    for (OVtask *t = state.pending_head; t; t = t->pending_next)
        unlink_run(t);
    OVtask *t = state.pending_head;
    state.pending_head = state.pending_tail = nullptr;
    while (t) {
        OVtask *next = t->pending_next;
        t->pending_next = nullptr;
        t->pending = false;
        if (t->flags & deleted)
            free_task(t);
        else
            insert_sorted(t);
        t = next;
    }
}

template <class Fn> int each_of(void *owner, Fn fn) {
    OVtask *t = owner ? first_of(owner) : nullptr;
    if (!t) return 0;
    for (; t; t = t->owner_next)
        fn(t);
    return 1;
}

} // namespace

ORV_API OVtask *OVtask_new(void *owner, OVtaskfn function, float priority) {
    if (!owner || !function || !orv::finite(priority)) return nullptr;
    auto *task = static_cast<OVtask *>(OVmalloc(sizeof(OVtask)));
    *task = OVtask{owner,   function, priority, priority, 0,       nullptr,
                   nullptr, nullptr,  nullptr,  nullptr,  nullptr, false};
    link_after(task, nullptr);
    OVtask *last = first_of(owner);
    while (last && last->owner_next)
        last = last->owner_next;
    task->owner_prev = last;
    if (last) last->owner_next = task;
    int b = bucket_of(owner);
    task->bucket_next = state.bucket[b];
    state.bucket[b] = task;
    make_pending(task);
    state.sum += priority;
    ++state.count;
    return task;
}

ORV_API int OVtask_delete(OVtask *task) {
    if (!task) return 0;
    task->flags |= suspended | deleted;
    make_pending(task);
    return 1;
}

ORV_API int OVtask_setpriority(OVtask *task, float priority) {
    if (!task || (task->flags & deleted) || !orv::finite(priority)) return 0;
    state.sum += priority - task->requested;
    task->requested = priority;
    make_pending(task);
    return 1;
}

ORV_API float OVtask_getpriority(OVtask *task) {
    return task && !(task->flags & deleted) ? task->requested : -999999.0f;
}

ORV_API int OVtask_suspend(OVtask *task) {
    if (!task) return 0;
    task->flags |= suspended;
    return 1;
}

ORV_API int OVtask_resume(OVtask *task) {
    if (!task || (task->flags & deleted)) return 0;
    task->flags &= ~suspended;
    return 1;
}

ORV_API OVtaskfn OVtask_getfunction(OVtask *task) {
    return task ? task->function : nullptr;
}

ORV_API OVtask *OVtask_get(void *owner, int index) {
    if (!owner || index < 0) return nullptr;
    for (OVtask *t = first_of(owner); t; t = t->owner_next)
        if (!(t->flags & deleted) && index-- == 0) return t;
    return nullptr;
}

ORV_API int OVtask_suspendall(void *owner) {
    return each_of(owner, [](OVtask *t) { t->flags |= suspended; });
}

ORV_API int OVtask_resumeall(void *owner) {
    return each_of(owner, [](OVtask *t) { t->flags &= ~suspended; });
}

// The owner is going away: its tasks are freed at the next tasks slot rather
// than left linked for the rest of the session.
ORV_API int OVtask_deleteall(void *owner) {
    return each_of(owner, [](OVtask *t) {
        t->flags |= deleted;
        make_pending(t);
    });
}

extern "C" ORV_API void OVtask_run(void) {
    if (running) {
        OVwarning("Function OVtask_run is not reentrant.\n");
        return;
    }
    running = true;
    drain_pending();
    const unsigned started = generation;
    for (OVtask *t = state.head; t;) {
        if (!(t->flags & (suspended | deleted))) t->function(t->owner);
        if (generation != started) break; // the task cleared every task
        t = t->next;
    }
    running = false;
}

extern "C" ORV_API void OVtask_clear(void) {
    for (OVtask *t = state.head; t;) {
        OVtask *next = t->next;
        OVfree(t);
        t = next;
    }
    state = TaskState{};
    ++generation;
}
