// The registered NFF writers.
#include "files/model_writers.h"

namespace orv::files {
namespace {
ModelWriters writers = {};
} // namespace

void set_nff_writers(NffTextWriterFn text, NffBinaryWriterFn binary) {
    writers.nff_text = text;
    writers.nff_binary = binary;
}

const ModelWriters &model_writers() {
    return writers;
}

} // namespace orv::files
