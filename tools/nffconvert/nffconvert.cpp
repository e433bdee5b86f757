// nffconvert: reads a text or binary NFF model and writes it in the other
// form (or the form asked for), keeping every geometry and the view.
#include "orv/file.h"
#include "orv/geometry.h"
#include "orv/message.h"
#include "orv/universe.h"
#include "orv/viewpoint.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

// Universe options the text writer reads.
constexpr int kOptionTextureUV = 5;
constexpr int kOptionColour12 = 6;
constexpr int kOptionOldColours = 12;

const char kUsage[] =
    "usage: nffconvert [options] INPUT OUTPUT\n"
    "\n"
    "Converts a text NFF model to binary NFF, or a binary NFF model to text NFF.\n"
    "The form of INPUT is found from its first bytes; OUTPUT gets the other form\n"
    "unless --text or --binary asks for one. Every geometry and the view are kept.\n"
    "Text NFF version 3.00 puts each material table in its own .mat file beside\n"
    "OUTPUT.\n"
    "\n"
    "options:\n"
    "  --text          write text NFF\n"
    "  --binary        write binary NFF\n"
    "  --old-colours   text version 2.10 with hexadecimal colours, no .mat files\n"
    "  --12bit         with --old-colours, polygon colours as 0xRGB\n"
    "  --uv            write per-vertex texture coordinates\n"
    "  --merge         merge the geometries into one\n"
    "  --scale F       multiply every coordinate by F (default 1)\n"
    "  --quiet         print no messages of the toolkit\n"
    "  --help          print this text\n";

struct Options {
    const char *input = nullptr, *output = nullptr;
    int type = 0; // 0: the other form
    bool old_colours = false, colour12 = false, uv = false, merge = false, quiet = false;
    float scale = 1;
};

// Routes the toolkit's warning, message and debug channels nowhere.
void silence() {
    for (int channel : {OVCHANNEL_WARNING, OVCHANNEL_MESSAGE, OVCHANNEL_DEBUG})
        OVmessage_setoutput(channel, 0, nullptr);
}

// Parses the command line; exits with the usage text on --help or an error.
Options parse(int argc, char **argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        } else if (a == "--text") {
            o.type = OVFILE_NFF;
        } else if (a == "--binary") {
            o.type = OVFILE_BNFF;
        } else if (a == "--old-colours") {
            o.old_colours = true;
        } else if (a == "--12bit") {
            o.colour12 = true;
        } else if (a == "--uv") {
            o.uv = true;
        } else if (a == "--merge") {
            o.merge = true;
        } else if (a == "--quiet") {
            o.quiet = true;
        } else if (a == "--scale") {
            if (i + 1 == argc) {
                std::fprintf(stderr, "nffconvert: --scale needs a value\n");
                std::exit(2);
            }
            char *end;
            o.scale = std::strtof(argv[++i], &end);
            if (*end || !(o.scale > 0) || !std::isfinite(o.scale)) {
                std::fprintf(stderr, "nffconvert: bad scale '%s'\n", argv[i]);
                std::exit(2);
            }
        } else if (!a.empty() && a[0] == '-') {
            std::fprintf(stderr, "nffconvert: unknown option '%s'\n\n%s", a.c_str(), kUsage);
            std::exit(2);
        } else if (!o.input) {
            o.input = argv[i];
        } else if (!o.output) {
            o.output = argv[i];
        } else {
            std::fprintf(stderr, "nffconvert: too many arguments\n\n%s", kUsage);
            std::exit(2);
        }
    }
    if (!o.output) {
        std::fprintf(stderr, "nffconvert: INPUT and OUTPUT are needed\n\n%s", kUsage);
        std::exit(2);
    }
    return o;
}

void free_list(OVgeomlist *list) {
    for (OVgeomlist *e = list; e; e = _OVgeomlist_next(e))
        OVgeometry_delete(_OVgeomlist_geometry(e));
    _OVgeomlist_delete(list);
}

int convert(const Options &o) {
    namespace fs = std::filesystem;
    int from = _OVfile_type(o.input);
    if (from != OVFILE_NFF && from != OVFILE_BNFF) {
        std::fprintf(stderr, "nffconvert: %s is not %s\n", o.input,
                     from ? "an NFF model" : "a readable file");
        return 1;
    }
    int to = o.type ? o.type : from == OVFILE_NFF ? OVFILE_BNFF : OVFILE_NFF;
    std::FILE *in = std::fopen(o.input, "rb");
    OVpq view;
    OVgeomlist *list = _OVgeometry_load(in, o.input, from, &view, o.scale, o.merge);
    if (!list) {
        std::fprintf(stderr, "nffconvert: nothing could be read from %s\n", o.input);
        return 1;
    }
    // The binary header carries the current viewpoint: it takes the file's view.
    OVviewpoint_setpositionorientation(OVuniverse_getviewpoint(), &view);
    OVuniverse_setoption(kOptionOldColours, o.old_colours);
    OVuniverse_setoption(kOptionColour12, o.colour12);
    OVuniverse_setoption(kOptionTextureUV, o.uv);
    // Material files go beside the output; a missing output directory is a
    // failure to write, not a thrown error.
    std::error_code error;
    fs::path output = fs::absolute(o.output, error);
    fs::path previous = fs::current_path();
    if (!error) fs::current_path(output.parent_path(), error);
    const bool moved = !error;
    int ok = moved && _OVgeomlist_save(list, output.c_str(), &view, to);
    if (moved) fs::current_path(previous);
    free_list(list);
    if (!ok)
        std::fprintf(stderr, "nffconvert: %s could not be written%s%s\n", o.output,
                     error ? ": " : "", error ? error.message().c_str() : "");
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char **argv) {
    Options o = parse(argc, argv);
    if (o.quiet) silence();
    constexpr int kNoWindows = 512;
    OVuniverse_new(kNoWindows, 0);
    int result = convert(o);
    OVuniverse_delete();
    return result;
}
