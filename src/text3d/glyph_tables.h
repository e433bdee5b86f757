// One material table for the copies of glyphs that come from several tables.
#pragma once

#include "orv/orv_base.h"

namespace orv {

// Re-points every copy in the list at one table holding the entries of all
// their tables, with each material id moved to its entry there, so that
// merging the copies keeps every glyph's materials.
void share_glyph_tables(OVgeomlist *copies);

} // namespace orv
