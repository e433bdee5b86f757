// Every module is always built, so a call goes straight to the owning
// module's header and no function needs to be declared weak. Lower modules
// never name the modules above them: where one must tell or ask a higher one
// something (a node is deleted: its motion links and objects go; a geometry
// changed: its display lists go), it keeps a hook that is filled here, at
// start-up, by the universe, which sits above every module.
#include "universe/module_links.h"

#include "draw2d/font_table.h"
#include "files/nff_writer.h"
#include "geometry/geometry_hooks.h"
#include "orv/geometry.h"
#include "orv/motionlink.h"
#include "orv/file.h"
#include "orv/node.h"
#include "orv/orv_internal.h"
#include "paths/path_access.h"
#include "render/render_data.h"
#include "render/render_config.h"
#include "render/window_procedure.h"
#include "scene/scene_hooks.h"
#include "texture/texture_access.h"
#include "viewpoint/viewpoint_windows.h"

namespace orv {

void connect_modules() {
    // Motion links go with their targets and forget a deleted reference
    // node; a path forgets a marker node the application deletes.
    scene::set_target_deleted_hook([](void *target) {
        OVmotionlink_deletetarget(target);
        _OVmotionlink_forgetreference(target);
        paths::forget_marker(target);
    });
    // The windows decide which roots are shown and prepare them.
    scene::set_render_hooks(_OVwindow_roots, _OVrender_prepare);
    scene::set_object_node_hooks({_OVobjectnode_collect, _OVobjectnode_bounds,
                                  _OVobjectnode_geometry, _OVobjectnode_deleted});
    geom::set_render_hooks({render_data_stale, render_data_release});
    // A geometry node goes with its geometry; an object node with its object.
    geom::set_node_hooks({_OVnode_changed, [](OVnode *node) {
                              if (OVnode_gettype(node) == OVNODE_GEOMETRY) _OVnode_delete(node);
                          }});
    geom::set_portal_hooks({_OVportal_restatall, _OVportal_findpoly, _OVportal_forgetpoly});
    // The model writers name the portals of the universe object.
    set_portal_target_lookup([](OVpoly *p) { return _OVportal_gettarget(OVpoly_getportal(p)); });
    set_viewpoint_windows({_OVwindow_setviewpointfrustum, _OVwindow_getviewpointfrustum,
                           _OVwindow_zoomviewpoint, _OVwindow_forgetviewpoint,
                           _OVwindow_showsroot});
    // Mouse and key messages of the windows go to the input module.
    set_input_handler(_OVinput_windowmessage);
    // Image files are searched along the image path like models.
    tex::set_image_finder(_OVfile_findpath);
    // The 2D fonts are made when the renderer starts and go with its context.
    set_font_hooks({draw2d::fonts_load, draw2d::fonts_release});
}

} // namespace orv
