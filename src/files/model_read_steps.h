// Steps the text and binary NFF readers share: material tables shared and
// joined across the geometries of a file, and the end of the file.
#pragma once

#include "orv/orv_base.h"

#include <string>
#include <vector>

namespace orv {

// The material table shared from geometry to geometry while merging.
class TableSharing {
  public:
    explicit TableSharing(bool merge) : merge_(merge) {}
    // The table the previous geometry passed on, or null.
    OVmtable *shared() const { return merge_ ? shared_ : nullptr; }
    // A geometry that loaded its own table while another was shared: the two
    // are joined (shared entries first) and every user is re-pointed.
    void join(OVgeometry *g);
    // g was read completely: its table is passed on.
    void remember(OVgeometry *g);

  private:
    bool merge_;
    OVmtable *shared_ = nullptr;
    std::vector<OVgeometry *> shared_by_;
};

// "%d polygons were ignored." and "No valid polygons in object."; false when
// the geometry has no good polygon.
bool report_polygon_counts(int good, int ignored);

// The end of a file: the list merged into its first geometry when glom,
// every geometry closed (failures dropped); null with a message when empty.
OVgeomlist *finish_model_read(OVgeomlist *list, const std::string &name, bool glom);

} // namespace orv
