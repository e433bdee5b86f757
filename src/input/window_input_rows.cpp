// The window rows of the key and mouse-button properties: handlers are
// registered on them; by name they reach the window's TODO accessors.
#include "orv/window.h"
#include "scene/property_table.h"

namespace {

using Setter = int (*)(OVwindow *, int);
using Getter = int (*)(const OVwindow *);

template <Setter F> int set_row(void *o, const void *p) {
    return F(static_cast<OVwindow *>(o), *static_cast<const int *>(p));
}
template <Getter F> int get_row(void *o, void *p) {
    *static_cast<int *>(p) = F(static_cast<OVwindow *>(o));
    return 0;
}

using orv::PropertyBinding;
constexpr int W = orv::PROPERTY_CLASS_WINDOW;
const PropertyBinding rows[] = {
    {W, 14, set_row<OVwindow_setkey>, get_row<OVwindow_getkey>},
    {W, 15, set_row<OVwindow_setlbutton>, get_row<OVwindow_getlbutton>},
    {W, 16, set_row<OVwindow_setlbuttondblclk>, get_row<OVwindow_getlbuttondblclk>},
    {W, 17, set_row<OVwindow_setrbutton>, get_row<OVwindow_getrbutton>},
    {W, 18, nullptr, get_row<OVwindow_getrbuttondblclk>},
    {W, 19, set_row<OVwindow_setmbutton>, get_row<OVwindow_getmbutton>},
    {W, 20, set_row<OVwindow_setmbuttondblclk>, get_row<OVwindow_getmbuttondblclk>},
};

} // namespace
