// Recording and playback: starting, stopping and the per-pass steps.
#include "orv/message.h"
#include "paths/path_record.h"
#include "scene/property_protocol.h"
#include "scene/event_switch.h"

#include <vector>

namespace {

constexpr int started = 1;
constexpr int stopped = 0;

bool is_idle(const OVpath *path) {
    return path && path->state == OVPATH_IDLE;
}

int start_playing(OVpath *path, int state) {
    if (!is_idle(path) || !path->first) return 0;
    if (!orv::change_allowed(path, "Playing")) return 0;
    if (!path->current) path->current = path->first;
    path->state = static_cast<std::uint8_t>(state);
    orv::change_made(path, "Playing", &started);
    return 1;
}

// One single step of the current element; false at the end of the list, where
// the mode decides what follows.
bool single_step(OVpath *path) {
    OVpathelement *next = path->forward ? path->current->forward : path->current->backward;
    if (next) {
        path->current = next;
        return true;
    }
    if (!(path->mode & OVPATH_REPEAT))
        path->state = OVPATH_IDLE;
    else if (!(path->mode & OVPATH_REVERSE))
        path->current = path->forward ? path->first : path->last;
    if (path->mode & OVPATH_REVERSE) path->forward = !path->forward;
    return false;
}

void record_step(OVpath *path) {
    if (--path->countdown > 0) return;
    const OVpq pose = orv::paths::source_pose(path);
    orv::paths::link_last(path, OVpathelement_new(&pose));
    path->countdown = path->sampling;
}

void play_step(OVpath *path) {
    if (!path->first) {
        OVmessage("Invalid path or path list\n");
        return;
    }
    if (!path->current) {
        OVmessage("Current elem is invalid\n");
        return;
    }
    for (int i = 0; i < path->speed && single_step(path); ++i) {
    }
    orv::paths::apply_pose(path, path->current->pose);
    // A target's pre-handler may have deleted the path.
    if (!orv::paths::is_path_listed(path)) return;
    if (path->state == OVPATH_PLAYSTEP && orv::change_allowed(path, "Playing")) {
        path->state = OVPATH_IDLE;
        orv::change_made(path, "Playing", &stopped);
    }
}

} // namespace

namespace orv::paths {

void make_idle(OVpath *path) {
    path->state = OVPATH_IDLE;
}

} // namespace orv::paths

extern "C" {

ORV_API int OVpath_record(OVpath *path) {
    if (!is_idle(path) || !orv::change_allowed(path, "Recording")) return 0;
    path->state = OVPATH_RECORDING;
    path->countdown = path->sampling;
    orv::change_made(path, "Recording", &started);
    return 1;
}

ORV_API int OVpath_recordfrom(OVpath *path, OVmotionlink *link) {
    if (!is_idle(path) || !link) return 0;
    path->state = OVPATH_RECORDING;
    path->countdown = path->sampling;
    path->record_from = link;
    return 1;
}

ORV_API int OVpath_recordelement(OVpath *path) {
    if (!is_idle(path) || !orv::change_allowed(path, "Recording")) return 0;
    orv::change_made(path, "Recording", &started);
    const OVpq pose = orv::paths::source_pose(path);
    orv::paths::link_last(path, OVpathelement_new(&pose));
    if (orv::change_allowed(path, "Recording")) orv::change_made(path, "Recording", &stopped);
    return 1;
}

ORV_API int OVpath_play(OVpath *path) {
    return start_playing(path, OVPATH_PLAYING);
}

ORV_API int OVpath_playstep(OVpath *path) {
    return start_playing(path, OVPATH_PLAYSTEP);
}

ORV_API int OVpath_stop(OVpath *path) {
    if (!path) return 0;
    const int state = path->state;
    if ((state & OVPATH_RECORDING) && !orv::change_allowed(path, "Recording")) return 0;
    if ((state & OVPATH_PLAYING) && !orv::change_allowed(path, "Playing")) return 0;
    path->state = OVPATH_IDLE;
    if (state & OVPATH_RECORDING) orv::change_made(path, "Recording", &stopped);
    if (state & OVPATH_PLAYING) orv::change_made(path, "Playing", &stopped);
    return 1;
}

ORV_API int OVpath_isrecording(const OVpath *path) {
    return path && (path->state & OVPATH_RECORDING) ? 1 : 0;
}

ORV_API int OVpath_isplaying(const OVpath *path) {
    return path && (path->state & OVPATH_PLAYING) ? 1 : 0;
}

ORV_API int OVpath_getstate(const OVpath *path) {
    return path ? path->state : -1;
}

ORV_API void _OVpath_runall(void) {
    // The pass's paths, taken first: a pre-handler may delete a path.
    static std::vector<OVpath *> pass;
    pass.clear();
    for (OVpath *p = OVuniverse_getpaths(); p; p = p->next)
        if (p->state != OVPATH_IDLE) pass.push_back(p);
    for (OVpath *p : pass) {
        if (!orv::paths::is_path_listed(p)) continue;
        if (p->state == OVPATH_RECORDING)
            record_step(p);
        else if (p->state & OVPATH_PLAYING)
            play_step(p);
    }
}

} // extern "C"
