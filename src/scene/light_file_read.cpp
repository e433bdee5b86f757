// Reading light files: one or more lights, each a kind word followed by
// keyword/value attributes, applied through the light setters.
#include "core/tokenizer.h"
#include "orv/light.h"
#include "orv/message.h"
#include "scene/light_record.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

enum Kind { directed = 0, point = 1, spot = 2, ambient = 3 };

// Which kinds accept a keyword: bit 1 << kind.
constexpr unsigned all = 0xF, lights = 0x7, point_spot = 0x6, spot_directed = 0x5, spot_only = 0x4;

struct Keyword {
    const char *word;
    int count; // numbers that follow
    unsigned kinds;
    const char *label;
};

const Keyword keywords[] = {
    {"pos", 3, point_spot, "light position"},
    {"dir", 3, spot_directed, "light direction"},
    {"int", 1, all, "light intensity"},
    {"angle", 1, spot_only, "Spot light angle"},
    {"anglerad", 1, spot_only, "Spot light angle"},
    {"exp", 1, spot_only, "Spot light exponent"},
    {"att", 3, point_spot, "light attenuation"},
    {"rgb", 1, all, "light color"},
    {"amb", 3, all, "light color - ambient"},
    {"diff", 3, lights, "light color - diffuse"},
    {"spec", 3, lights, "light color - specular"},
};

// The attributes read for one light.
struct Attributes {
    int kind = directed;
    bool has_position = false, has_direction = false, has_intensity = false;
    bool has_attenuation = false, has_exponent = false, has_angle = false, angle_in_radians = false;
    bool has_rgb = false, has_ambient = false, has_diffuse = false, has_specular = false;
    OVp3 position{}, direction{};
    float intensity = 0, attenuation[3]{}, exponent = 0, angle = 0;
    unsigned rgb = 0;
    float ambient[3]{}, diffuse[3]{}, specular[3]{};
};

// The ambient light's one colour is its "light color".
const char *label_of(const Keyword &keyword, int kind) {
    return kind == ambient && std::strcmp(keyword.word, "amb") == 0 ? "light color" : keyword.label;
}

int kind_of(const char *token) {
    switch (std::toupper(static_cast<unsigned char>(token[0]))) {
    case 'P':
        return point;
    case 'S':
        return spot;
    case 'D':
        return directed;
    case 'A':
        return ambient;
    default:
        return -1;
    }
}

const char *announcement(int kind) {
    switch (kind) {
    case point:
        return "point light\n";
    case spot:
        return "spot light\n";
    case directed:
        return "directed light, new type\n";
    default:
        return "ambient light, new type\n";
    }
}

const Keyword *keyword_for(const char *token, int kind) {
    for (const Keyword &k : keywords)
        if (std::strcmp(token, k.word) == 0 && (k.kinds & (1u << kind))) return &k;
    return nullptr;
}

// A 12-bit colour token such as 0xF80 widens by repeating each hex digit.
std::string widened_colour(const char *token) {
    std::string text(token);
    if (text.size() != 5) return text;
    std::string wide = text.substr(0, 2);
    for (char digit : text.substr(2))
        wide.append(2, digit);
    return wide;
}

class LightReader {
  public:
    LightReader(FILE *file, const char *path, OVnode *parent)
        : tokens_(file, path), parent_(parent) {}

    void run() {
        const char *token = next();
        while (token) {
            const int kind = kind_of(token);
            if (kind < 0) {
                tokens_.report("Unknown light type.\n");
                token = next();
                continue;
            }
            OVdebug("%s", announcement(kind));
            token = read_light(kind);
        }
    }

  private:
    // Reads the attributes of one light and creates it; returns the token
    // that follows it (the start of the next light) or null at the end.
    const char *read_light(int kind) {
        Attributes light;
        light.kind = kind;
        for (;;) {
            const char *token = next();
            if (!token) {
                create(light);
                return nullptr;
            }
            const Keyword *keyword = keyword_for(token, kind);
            if (!keyword) {
                if (first_on_line_ && kind_of(token) >= 0) {
                    create(light);
                    return token;
                }
                tokens_.report("unknown light attribute.\n");
                continue;
            }
            float values[3] = {0, 0, 0};
            unsigned colour = 0;
            const bool read = std::strcmp(keyword->word, "rgb") == 0
                                  ? read_colour(keyword->label, &colour)
                                  : read_numbers(keyword->count, label_of(*keyword, kind), values);
            if (!read) return next(); // the light is abandoned
            store(light, *keyword, values, colour);
        }
    }

    // The next token, noting whether it is the first of its line.
    const char *next() {
        const char *token = tokens_.next();
        first_on_line_ = tokens_.line_number() != last_line_;
        last_line_ = tokens_.line_number();
        return token;
    }

    bool read_numbers(int count, const char *label, float *values) {
        for (int i = 0; i < count; ++i)
            if (!tokens_.read_float(label, &values[i])) return false;
        return true;
    }

    bool read_colour(const char *label, unsigned *colour) {
        const char *token = tokens_.next_on_line();
        if (!token) {
            tokens_.report("%s missing.\n", label);
            return false;
        }
        if (!orv::parse_hex(widened_colour(token).c_str(), colour)) {
            tokens_.report("%s invalid.  Remember not to use punctuation.\n", label);
            return false;
        }
        return true;
    }

    void store(Attributes &light, const Keyword &keyword, const float *v, unsigned colour) {
        const std::string word = keyword.word;
        auto copy3 = [v](float *to) { std::memcpy(to, v, 3 * sizeof(float)); };
        if (word == "pos") {
            copy3(light.position);
            light.has_position = true;
        } else if (word == "dir") {
            copy3(light.direction);
            light.has_direction = true;
        } else if (word == "int") {
            light.intensity = v[0];
            light.has_intensity = true;
        } else if (word == "angle" || word == "anglerad") {
            store_angle(light, word == "anglerad", v[0]);
        } else if (word == "exp") {
            if (v[0] == 0 || (v[0] >= 1 && v[0] <= 128)) {
                light.exponent = v[0];
                light.has_exponent = true;
            } else {
                tokens_.report(
                    "Spot light exponent must be equal to 0.0 or between 1.0 and 128.0.\n");
            }
        } else if (word == "att") {
            copy3(light.attenuation);
            light.has_attenuation = true;
        } else if (word == "rgb") {
            light.rgb = colour;
            light.has_rgb = true;
        } else if (word == "amb") {
            copy3(light.ambient);
            light.has_ambient = true;
        } else if (word == "diff") {
            copy3(light.diffuse);
            light.has_diffuse = true;
        } else {
            copy3(light.specular);
            light.has_specular = true;
        }
    }

    void store_angle(Attributes &light, bool radians, float value) {
        if (radians ? !(value >= 0 && value <= 1.5707964f) : !(value >= 0 && value <= 90)) {
            tokens_.report("%s", radians
                                     ? "Spot light angle (anglerad) must be between 0 and 1.57.\n"
                                     : "Spot light angle must be between 0 and 90.\n");
            return;
        }
        light.angle = value;
        light.angle_in_radians = radians;
        light.has_angle = true;
    }

    void create(Attributes &light) {
        if (light.kind == ambient) {
            create_ambient(light);
            return;
        }
        OVnode *node = light.kind == point  ? OVlightnode_newpoint(parent_)
                       : light.kind == spot ? OVlightnode_newspot(parent_)
                                            : OVlightnode_newdirected(parent_);
        if (!node) return;
        if (light.has_position) OVlightnode_setposition(node, light.position);
        if (light.has_direction) OVlightnode_setdirection(node, light.direction);
        if (light.has_intensity) OVlightnode_setintensity(node, light.intensity);
        if (light.has_attenuation) OVlightnode_setattenuation2(node, light.attenuation);
        if (light.has_exponent) OVlightnode_setexponent(node, light.exponent);
        if (light.has_angle)
            OVlightnode_setangle(node,
                                 light.angle_in_radians ? light.angle : light.angle * 0.017453292f);
        if (light.has_rgb) {
            OVlightnode_setdiffuse2(node, rgb_floats(light.rgb).data);
            return;
        }
        if (light.has_ambient) OVlightnode_setambient2(node, light.ambient);
        if (light.has_diffuse) OVlightnode_setdiffuse2(node, light.diffuse);
        if (light.has_specular) OVlightnode_setspecular2(node, light.specular);
    }

    void create_ambient(Attributes &light) {
        OVnode *node = OVlightnode_newambient(parent_);
        if (!node) return;
        if (light.has_intensity) OVlightnode_setintensity(node, light.intensity);
        if (light.has_rgb)
            OVlightnode_setambient2(node, rgb_floats(light.rgb).data);
        else if (light.has_ambient)
            OVlightnode_setambient2(node, light.ambient);
    }

    struct Rgb {
        float data[3];
    };
    static Rgb rgb_floats(unsigned rgb) {
        return {
            {((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f, (rgb & 0xFF) / 255.0f}};
    }

    orv::LineTokenizer tokens_;
    OVnode *parent_;
    int last_line_ = 0;
    bool first_on_line_ = false;
};

} // namespace

extern "C" {

ORV_API int OVlightnode_load(OVnode *parent, const char *path) {
    FILE *file = path ? std::fopen(path, "r") : nullptr;
    if (!file) return 0;
    LightReader(file, path, parent).run();
    std::fclose(file);
    return 1;
}

} // extern "C"
