// The writers of NFF model files. They register themselves at start-up; a
// writer not registered is reported as not available before any file is
// made.
#pragma once

#include "orv/orv_base.h"

#include <cstdio>

namespace orv::files {

// Writes the geometry to the open file; false on failure.
using NffTextWriterFn = int (*)(std::FILE *file, OVgeometry *geometry, const OVpq *view);
using NffBinaryWriterFn = int (*)(std::FILE *file, OVgeometry *geometry);

struct ModelWriters {
    NffTextWriterFn nff_text;
    NffBinaryWriterFn nff_binary;
};

void set_nff_writers(NffTextWriterFn text, NffBinaryWriterFn binary);
const ModelWriters &model_writers();

} // namespace orv::files
