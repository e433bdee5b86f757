// The NFF writers (text and binary) and what they share: the writer
// settings taken from the universe's options, the request of one save, and
// portal names supplied by the module that owns portals.
#pragma once

#include "orv/orv_base.h"

#include <cstdio>
#include <vector>

namespace orv {

struct NffWriteSettings {
    bool old_colours = false; // option 12: version 2.10 with hexadecimal colours
    bool colour12 = false;    // option 6: 0xRGB polygon colours in the old form
    bool texture_uv = false;  // option 5: per-vertex texture coordinates
    bool portals = false;     // portal polygons carry their target's name
};

// The settings from the current universe (all off without one).
NffWriteSettings nff_write_settings();

struct NffSave {
    NffWriteSettings settings;
    // Text: the optional view lines. Binary: the header's view position and
    // direction (none when null).
    const OVpq *view = nullptr;
    const char *name = nullptr; // written instead of the geometry's name
    bool universe = false;      // the universe-level form of the text file
};

// The current viewpoint's position and orientation; false without one.
bool current_viewpoint_pose(OVpq *out);

using GeometryList = std::vector<OVgeometry *>;

// Opens filename for binary writing, writes the geometries as text
// (OVFILE_NFF) or binary (OVFILE_BNFF) NFF and closes it; false when any of
// it fails.
bool nff_save_file(const char *filename, const GeometryList &geometries, int type,
                   const NffSave &save);

// Writes the header and the geometries to the open file; false when
// something could not be written. save.name names the first geometry.
bool nff_write_text(std::FILE *file, const GeometryList &geometries, const NffSave &save);
bool nff_write_binary(std::FILE *file, const GeometryList &geometries, const NffSave &save);

// The target name of a portal polygon, or null when it is none.
using PortalTargetFn = const char *(*)(OVpoly *poly);
// The portal owner tells the writers how to name portals.
void set_portal_target_lookup(PortalTargetFn lookup);

} // namespace orv
