// The values and objects of the hostile-argument calls.
#include "hostile/hostile_args.h"

#include <cstdlib>
#include <cstring>
#include <string_view>

namespace hostile {

namespace {

int noop_task(void *) {
    return 0;
}

std::string data_file(const char *name) {
    const char *dir = std::getenv("ORV_TEST_DATA");
    return std::string(dir ? dir : "tests/data") + "/" + name;
}

bool starts(std::string_view name, std::string_view prefix) {
    return name.substr(0, prefix.size()) == prefix;
}

// A node of the kind the function works on, so that its checks pass and
// the hostile values reach the code behind them.
OVnode *node_for(std::string_view f) {
    OVnode *root = OVuniverse_getrootnodes();
    if (starts(f, "OVlightnode_") || starts(f, "OVmovlightnode_")) return OVlightnode_newspot(root);
    if (starts(f, "OVfognode_")) return OVfognode_new(root);
    if (starts(f, "OVlodnode_") || starts(f, "OVmovlodnode_")) {
        OVnode *lod = OVlodnode_new(root);
        OVgroupnode_new(lod);
        OVgroupnode_new(lod);
        return lod;
    }
    if (starts(f, "OVswitchnode_") || starts(f, "OVmovswitchnode_")) {
        OVnode *sw = OVswitchnode_new(root);
        OVgroupnode_new(sw);
        return sw;
    }
    if (starts(f, "OVsepnode_") || starts(f, "OVmovsepnode_")) return OVsepnode_new(root);
    if (starts(f, "OVanchornode_")) return OVanchornode_new(root);
    if (starts(f, "OVinlinenode_")) return OVinlinenode_new(root);
    if (starts(f, "OVglnode_")) return OVglnode_new(root, nullptr, 0);
    if (starts(f, "OVrootnode_") || starts(f, "_OVnode_draw")) return root;
    return OVmovgeometrynode_new(root, OVgeometry_newblock(1, 2, 3, 0));
}

OVgeometry *block() {
    return OVgeometry_newblock(1, 2, 3, 0);
}

OVpath *path_with_elements() {
    OVpath *path = OVpath_new(nullptr);
    OVpath_appendelement(path, OVpathelement_new(nullptr));
    OVpath_appendelement(path, OVpathelement_new(nullptr));
    return path;
}

OVwindow *window() {
    OVwindow *w = OVwindow_new(0, 0, 64, 48, 0);
    OVwindow_setviewpoint(w, OVuniverse_getviewpoint());
    OVwindow_setrootnode(w, OVuniverse_getrootnodes());
    return w;
}

int quiet(const char *) {
    return 0;
}

} // namespace

void start_world() {
    OVmessage_sethook(quiet);
    OVuniverse_new(512, 0);
}

void end_world() {
    OVmessage_sethook(quiet);
    OVuniverse_delete();
    for (int channel = 1; channel <= 3; ++channel)
        OVmessage_setoutput(channel, 1, nullptr);
    OVmessage_sethook(nullptr);
}

Args::Args(Profile profile, const char *function)
    : profile_(profile), function_(function),
      buffer_(static_cast<unsigned char *>(std::calloc(buffer_bytes, 1))),
      value_(OVvalue_new(2)), argv_{} {}

Args::~Args() {
    std::free(buffer_);
    OVvalue_free(&value_);
}

const char *Args::text() const {
    static const std::string long_text(4000, 'a');
    switch (profile_) {
    case Profile::NullHandles:
        return nullptr;
    case Profile::Zero:
        return "";
    case Profile::Negative:
        return "-1";
    case Profile::Lowest:
        return long_text.c_str();
    case Profile::NotANumber:
        return "nan";
    default:
        return "Translation";
    }
}

char **Args::arguments() {
    if (profile_ == Profile::NullHandles) return nullptr;
    static char program[] = "hostile", option[] = "-geometry", value[] = "-2147483648x1-1-1",
                flag[] = "-border", last[] = "-bgcolor";
    char *line[] = {program, option, value, flag, last, nullptr};
    std::memcpy(argv_, line, sizeof line);
    return argv_;
}

int *Args::argument_count() {
    int *count = out<int>();
    if (count && *count > 0) *count = 5; // as many as arguments() gives
    return count;
}

OVvalue *Args::value() {
    return profile_ == Profile::NullHandles ? nullptr : &value_;
}

// Message channels keep their file: one for the whole run. Readers close
// theirs: a fresh one each, holding a model.
FILE *Args::file() const {
    static FILE *sink = std::fopen("/dev/null", "w");
    if (profile_ == Profile::NullHandles) return nullptr;
    if (function_ == "OVmessage_setoutput") return sink;
    FILE *model = std::tmpfile();
    if (model) {
        std::fputs("nff\nsquare\n4\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n1\n4 0 1 2 3 0xf00\n", model);
        std::rewind(model);
    }
    return model;
}

void *Args::make(std::type_index type, int use) {
    const std::string_view f = function_;
    if (type == typeid(OVnode *)) return use == 0 ? node_for(f) : OVgroupnode_new(nullptr);
    if (type == typeid(OVgeometry *)) return block();
    if (type == typeid(OVpoly *)) return OVgeometry_getpolys(block());
    if (type == typeid(OVvertex *)) return OVgeometry_getvertices(block());
    if (type == typeid(OVpolylist *)) return OVgeometry_getpolylist(block());
    if (type == typeid(OVgeomlist *)) return _OVgeomlist_add(nullptr, block());
    if (type == typeid(OVmtable *)) return OVmtable_new(OVAMBIENTDIFFUSE, 4, "hostile");
    if (type == typeid(OVviewpoint *)) return OVviewpoint_new();
    if (type == typeid(OVwindow *)) return window();
    if (type == typeid(OVsensor *))
        return OVsensor_new(nullptr, nullptr, nullptr, nullptr, 0, OVSENSOR_NODEVICE);
    if (type == typeid(OVmotionlink *))
        return OVmotionlink_new(
            OVsensor_new(nullptr, nullptr, nullptr, nullptr, 0, OVSENSOR_NODEVICE),
            OVviewpoint_new(), 0, OVLINK_VIEWPOINT);
    if (type == typeid(OVpath *)) return path_with_elements();
    if (type == typeid(OVpathelement *)) return OVpath_getfirst(path_with_elements());
    if (type == typeid(OVtask *)) return OVtask_new(node_for(f), noop_task, 1);
    if (type == typeid(OVfont3d *)) return OVfont3d_load(data_file("fonts/small3d.nff").c_str());
    if (type == typeid(OVnodepath *)) return OVnodepath_new(OVuniverse_getrootnodes());
    std::abort(); // a handle type the generator knows but this file does not
}

} // namespace hostile
