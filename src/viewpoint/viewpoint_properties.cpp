// The viewpoint rows of the property table bound to the viewpoint setters.
#include "orv/viewpoint.h"
#include "scene/property_table.h"

#include <cstring>

namespace {

OVviewpoint *as_viewpoint(void *object) {
    return static_cast<OVviewpoint *>(object);
}

float float_of(const void *payload) {
    return *static_cast<const float *>(payload);
}

int set_aspect(void *v, const void *payload) {
    return OVviewpoint_setaspect(as_viewpoint(v), float_of(payload));
}
int get_aspect(void *v, void *payload) {
    *static_cast<float *>(payload) = OVviewpoint_getaspect(as_viewpoint(v));
    return 1;
}
int set_convergencedist(void *v, const void *payload) {
    return OVviewpoint_setconvergencedist(as_viewpoint(v), float_of(payload));
}
int get_convergencedist(void *v, void *payload) {
    *static_cast<float *>(payload) = OVviewpoint_getconvergencedist(as_viewpoint(v));
    return 1;
}
int set_convergence(void *v, const void *payload) {
    return OVviewpoint_setconvergence(as_viewpoint(v), *static_cast<const int *>(payload));
}
int get_convergence(void *v, void *payload) {
    *static_cast<int *>(payload) = OVviewpoint_getconvergence(as_viewpoint(v));
    return 1;
}
int set_orientation(void *v, const void *payload) {
    return OVviewpoint_setorientation(as_viewpoint(v), static_cast<const float *>(payload));
}
int get_orientation(void *v, void *payload) {
    OVviewpoint_getorientation(as_viewpoint(v), static_cast<float *>(payload));
    return 1;
}
int set_parallax(void *v, const void *payload) {
    return OVviewpoint_setparallax(as_viewpoint(v), float_of(payload));
}
int get_parallax(void *v, void *payload) {
    *static_cast<float *>(payload) = OVviewpoint_getparallax(as_viewpoint(v));
    return 1;
}
int set_position(void *v, const void *payload) {
    return OVviewpoint_setposition(as_viewpoint(v), static_cast<const float *>(payload));
}
int get_position(void *v, void *payload) {
    OVviewpoint_getposition(as_viewpoint(v), static_cast<float *>(payload));
    return 1;
}

using orv::PropertyBinding;
constexpr int viewpoints = orv::PROPERTY_CLASS_VIEWPOINT;
const PropertyBinding rows[] = {
    {viewpoints, 0, set_aspect, get_aspect},
    {viewpoints, 1, set_convergencedist, get_convergencedist},
    {viewpoints, 2, set_convergence, get_convergence},
    {viewpoints, 3, set_orientation, get_orientation},
    {viewpoints, 4, set_parallax, get_parallax},
    {viewpoints, 5, set_position, get_position},
};

} // namespace
