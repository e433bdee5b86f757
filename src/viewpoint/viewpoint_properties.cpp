// The viewpoint rows of the property table bound to the viewpoint accessors.
#include "orv/viewpoint.h"
#include "scene/property_adapters.h"
#include "scene/property_table.h"

namespace {

using orv::get_through;
using orv::PropertyBinding;
using orv::set_through;
constexpr int viewpoints = orv::PROPERTY_CLASS_VIEWPOINT;
const PropertyBinding rows[] = {
    {viewpoints, 0, set_through<OVviewpoint_setaspect>, get_through<OVviewpoint_getaspect>},
    {viewpoints, 1, set_through<OVviewpoint_setconvergencedist>,
     get_through<OVviewpoint_getconvergencedist>},
    {viewpoints, 2, set_through<OVviewpoint_setconvergence>,
     get_through<OVviewpoint_getconvergence>},
    {viewpoints, 3, set_through<OVviewpoint_setorientation>,
     get_through<OVviewpoint_getorientation>},
    {viewpoints, 4, set_through<OVviewpoint_setparallax>, get_through<OVviewpoint_getparallax>},
    {viewpoints, 5, set_through<OVviewpoint_setposition>, get_through<OVviewpoint_getposition>},
};

} // namespace
