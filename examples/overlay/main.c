/* Overlay: a heads-up display over a scene. The frame rate and the
 * viewpoint's position in text, a crosshair of stippled lines with a centre
 * point, and a logo in the corner: a framed panel, a ring, and a texture made
 * in code whose keyed texels the alpha test leaves out.
 *
 *   F  switches to the next 2D font (fonts come from font.orv, or the system font)
 *   Q  quits
 *
 * Run: ./overlay [--passes N]   (N passes, then exit: for smoke tests)
 */
#include <orv/orv.h>

#include "../example.h"

#include <stdio.h>

static const int display_no_window = 512;
static const int window_width = 640, window_height = 480;
static const float block_size = 2.0f;
static const int block_count = 8;
static const float block_spacing = 4.0f;
static const float crosshair_half = 0.03f;
static const int crosshair_stipple = 0x0F0F;
static const float text_margin = 0.02f;
static const float logo_radius = 0.06f;
static const float logo_x = 0.88f, logo_y = 0.14f;
static const char *const logo_texture = "overlay logo";
enum { logo_side = 64 }; /* texels, a power of 2 */
static const float logo_outer = 0.47f, logo_inner = 0.30f, logo_dot = 0.12f; /* of the side */

static int font_index = 0;

/* A row of coloured blocks for the overlay to sit on. */
static void build_scene(OVnode *root) {
    for (int i = 0; i < block_count; ++i) {
        OVnode *place = OVsepnode_new(root);
        OVnode *shift = OVxformnode_new(place);
        const OVp3 at = {block_spacing * (float)(i - block_count / 2), 0, 0};
        OVnode_settranslation(shift, at);
        OVgeometry *block = OVgeometry_newblock(block_size, block_size, block_size, 0);
        OVgeometry_beginedit(block);
        OVgeometry_setrgb(block, 40 + 25 * i, 200 - 20 * i, 120);
        OVgeometry_endedit(block);
        OVgeometrynode_new(place, block);
    }
}

/* The logo's texels: an orange ring shading to yellow across it and a white
 * dot, on a key of alpha 0 that the alpha test cuts away. */
static void make_logo(void) {
    unsigned char *texels = OVmalloc(4 * logo_side * logo_side);
    const float half = logo_side / 2.0f;
    for (int y = 0; y < logo_side; ++y)
        for (int x = 0; x < logo_side; ++x) {
            unsigned char *t = texels + 4 * (y * logo_side + x);
            const float dx = (x + 0.5f - half) / logo_side, dy = (y + 0.5f - half) / logo_side;
            const float d2 = dx * dx + dy * dy; /* squared distance from the middle */
            const int ring = d2 >= logo_inner * logo_inner && d2 <= logo_outer * logo_outer;
            const int dot = d2 <= logo_dot * logo_dot;
            t[0] = 255;
            t[1] = ring ? (unsigned char)(100 + 150 * (x + y) / (2 * logo_side)) : 255;
            t[2] = ring ? 0 : 255;
            t[3] = ring || dot ? 255 : 0;
        }
    OVtexture_newfromdata(logo_texture, texels, logo_side, logo_side);
}

/* Text lines from the top left, one line height apart. */
static void draw_status(OVwindow *window) {
    char line[128];
    float width = 0, height = 0;
    OVp3 at;
    OVviewpoint_getposition(OVuniverse_getviewpoint(), at);
    snprintf(line, sizeof line, "%.1f frames/s", OVuniverse_framerate());
    OVwindow_get2dtextextents(window, line, &width, &height);
    OVwindow_set2dcolor(window, 255, 255, 0);
    OVwindow_draw2dtext(window, text_margin, 1 - text_margin - height, line);
    snprintf(line, sizeof line, "eye at %.1f %.1f %.1f", at[0], at[1], at[2]);
    OVwindow_set2dcolor(window, 255, 255, 255);
    OVwindow_draw2dtext(window, text_margin, 1 - text_margin - 2 * height, line);
    /* A dark box under the frame-rate line, sized by its extents. */
    OVwindow_set2dcolor(window, 255, 255, 0);
    OVwindow_draw2drectangle(window, text_margin / 2, 1 - text_margin / 2,
                             text_margin + width + text_margin / 2,
                             1 - text_margin - 2 * height - text_margin / 2, 0);
}

static void draw_crosshair(OVwindow *window) {
    OVwindow_set2dcolor(window, 0, 255, 0);
    OVwindow_set2dlinewidth(window, 2);
    OVwindow_set2dlinestyle(window, crosshair_stipple);
    OVwindow_draw2dline(window, 0.5f - crosshair_half, 0.5f, 0.5f + crosshair_half, 0.5f);
    OVwindow_draw2dline(window, 0.5f, 0.5f - crosshair_half, 0.5f, 0.5f + crosshair_half);
    OVwindow_set2dlinestyle(window, -1);
    OVwindow_set2dpointsize(window, 4);
    OVwindow_draw2dpoint(window, 0.5f, 0.5f);
}

static void draw_logo(OVwindow *window) {
    OVwindow_set2dcolor(window, 30, 30, 90);
    OVwindow_draw2drectangle(window, logo_x - 1.6f * logo_radius, logo_y - 1.6f * logo_radius,
                             logo_x + 1.6f * logo_radius, logo_y + 1.6f * logo_radius, 1);
    /* Square on the screen: the panel's height in the window's width. */
    const float across = logo_radius * window_height / window_width, up = logo_radius;
    const float corners[8] = {logo_x - across, logo_y - up, logo_x + across, logo_y - up,
                              logo_x + across, logo_y + up, logo_x - across, logo_y + up};
    const float texcoords[8] = {0, 1, 1, 1, 1, 0, 0, 0};
    OVwindow_draw2dtexture(window, logo_texture, 1, corners, texcoords);
    OVwindow_set2dlinewidth(window, 1);
    OVwindow_set2dcolor(window, 255, 255, 255);
    OVwindow_draw2dcircle(window, logo_x, logo_y, 1.3f * logo_radius, 0);
    OVwindow_draw2dtext(window, logo_x - logo_radius, logo_y - 1.5f * logo_radius, "Orvane");
}

static void draw_hud(OVwindow *window, int eye) {
    (void)eye;
    OVwindow_set2dfont(window, font_index);
    draw_status(window);
    draw_crosshair(window);
    draw_logo(window);
}

static void act(void) {
    const int key = OVkeyboard_getlastkey();
    switch (key) {
    case 'F':
    case 'f':
        font_index =
            (font_index + 1) % (OVwindow_get2dfontcount() > 0 ? OVwindow_get2dfontcount() : 1);
        break;
    default:
        break;
    }
    example_endpass(key);
}

int main(int argc, char **argv) {
    example_takepasses(argc, argv);
    OVuniverse_new(display_no_window, 0);
    OVwindow *window = example_window(0, 0, window_width, window_height, 0);
    OVwindow_setdraw2dfn(window, draw_hud);
    build_scene(OVuniverse_getrootnodes());
    make_logo();
    OVkeyboard_open();
    example_mouseflight();
    printf("%d 2D fonts. F changes the font, Q quits.\n", OVwindow_get2dfontcount());
    OVviewpoint_zoomall(OVuniverse_getviewpoint());
    return example_run(act);
}
