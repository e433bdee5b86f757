// Writing one light or ambient node as a light file.
#include "orv/light.h"
#include "orv/message.h"
#include "scene/light_record.h"

#include <cstdio>

namespace {

void write_colours(FILE *file, const OVlight *light) {
    std::fprintf(file, "\tamb %f %f %f diff %f %f %f spec %f %f %f\n", light->ambient[0],
                 light->ambient[1], light->ambient[2], light->diffuse[0], light->diffuse[1],
                 light->diffuse[2], light->specular[0], light->specular[1], light->specular[2]);
}

void write_light(FILE *file, const OVlight *light) {
    const float *p = light->position, *d = light->direction, *a = light->attenuation;
    switch (light->kind) {
    case 0:
        std::fprintf(file, "directed dir %f %f %f int %f \n", d[0], d[1], d[2], light->intensity);
        break;
    case 1:
        std::fprintf(file, "point pos %f %f %f int %f att %f %f %f\n", p[0], p[1], p[2],
                     light->intensity, a[0], a[1], a[2]);
        break;
    default:
        std::fprintf(file, "spot pos %f %f %f dir %f %f %f\n", p[0], p[1], p[2], d[0], d[1], d[2]);
        std::fprintf(file, "\tint %f angle %f exp %f att %f %f %f\n", light->intensity,
                     light->angle * 180.0f / 3.1415927f, light->exponent, a[0], a[1], a[2]);
    }
    write_colours(file, light);
}

} // namespace

extern "C" {

ORV_API int OVlightnode_save(OVnode *node, const char *path) {
    const OVlight *light = orv::light_of(node);
    const OVambientdata *ambient = light ? nullptr : orv::ambient_of(node);
    if (!light && !ambient) {
        OVwarning("Node type should be light or ambient\n");
        return 0;
    }
    FILE *file = path ? std::fopen(path, "w") : nullptr;
    if (!file) return 0;
    std::fputs("//lights -- Orvane light file\n", file);
    if (light)
        write_light(file, light);
    else
        std::fprintf(file, "ambient int %f amb %f %f %f \n", ambient->intensity, ambient->rgb[0],
                     ambient->rgb[1], ambient->rgb[2]);
    const bool written = std::ferror(file) == 0;
    return std::fclose(file) == 0 && written;
}

} // extern "C"
