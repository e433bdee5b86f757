// The binary NFF model reader.
#pragma once

#include "files/nff_reader.h"

namespace orv {

// Reads an open binary NFF file (left open) with the arguments and result of
// the text reader nff_read.
OVgeomlist *bnff_read(std::FILE *file, const char *name, OVpq *view, float scale, bool merge,
                      std::vector<PortalRequest> *portals);

} // namespace orv
