// Whole scene graphs as VRML 1.0: the walk over the subtree on an explicit
// stack, DEF and USE, grouping nodes, movable nodes, transforms and lights.
#include "orv/light.h"
#include "orv/message.h"
#include "orv/node.h"
#include "scene/scene_hooks.h"
#include "vrml/vrml_camera.h"
#include "vrml/vrml_geometry.h"
#include "vrml/vrml_names.h"
#include "vrml/vrml_writer.h"

#include <string>
#include <unordered_set>
#include <vector>

namespace orv::vrml {

namespace {

constexpr int release = 9;
constexpr int cull_off = 1;
constexpr int rotation_part = 0x01; // of an Xform node's transform kind
constexpr float exponent_scale = 128.0f;
constexpr OVm4 identity = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

// A stack entry: a node, a movable node's content, or the end of a grouping
// node (closing its brace at its level).
struct Item {
    enum Kind { Node, Content, End } kind;
    OVnode *node;
    int level;
};

// The node kind a movable node's content is written as.
int content_type(int type) {
    switch (type) {
    case OVNODE_MSEPARATOR:
        return OVNODE_SEPARATOR;
    case OVNODE_MSWITCH:
        return OVNODE_SWITCH;
    case OVNODE_MGEOMETRY:
        return OVNODE_GEOMETRY;
    case OVNODE_MLIGHT:
        return OVNODE_LIGHT;
    case OVNODE_MLOD:
        return OVNODE_LOD;
    default:
        return type;
    }
}

bool writes_nothing(int type) {
    return type == OVNODE_MATERIAL || type == OVNODE_FOG || type == OVNODE_AMBIENT ||
           type == OVNODE_RENDERING;
}

bool has_rotation(const OVm4 m) {
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            if (m[r][c] != (r == c ? 1.0f : 0.0f)) return true;
    return false;
}

class SceneWriter {
  public:
    SceneWriter(std::FILE *file, OVnode *top, OVviewpoint *camera)
        : out_(file), names_(top), camera_(camera) {}
    void write(OVnode *top);

  private:
    void visit(OVnode *node);
    void write_movable(OVnode *node, const std::string &prefix);
    // Writes a node's header (or the whole of a leaf); true when children follow.
    bool write_node(OVnode *node, int type, const std::string &prefix);
    void write_separator_header(OVnode *node, const std::string &prefix, const char *header);
    void write_transform(OVnode *node);
    void write_matrix(const OVm4 m);
    void write_light(OVnode *node, const std::string &prefix);
    void write_shape_node(OVnode *node, const std::string &prefix, bool object);
    void write_pending_camera(bool with_camera);
    void push_children(OVnode *node, int level);

    Output out_;
    Names names_;
    OVviewpoint *camera_;
    bool camera_pending_ = true;
    std::unordered_set<const OVnode *> defined_;
    std::vector<Item> stack_;
};

void SceneWriter::write(OVnode *top) {
    out_.text("#VRML V1.0 ascii\n");
    out_.text("# Written by the Orvane toolkit, release %d\n", release);
    stack_.push_back({Item::Node, top, 0});
    while (!stack_.empty()) {
        const Item item = stack_.back();
        stack_.pop_back();
        out_.level = item.level;
        switch (item.kind) {
        case Item::End:
            out_.line("}\n");
            break;
        case Item::Node:
            visit(item.node);
            break;
        case Item::Content:
            if (write_node(item.node, content_type(OVnode_gettype(item.node)), "")) {
                stack_.push_back({Item::End, nullptr, item.level});
                push_children(item.node, out_.level);
            }
            break;
        }
    }
}

void SceneWriter::visit(OVnode *node) {
    const int type = OVnode_gettype(node);
    if (writes_nothing(type)) {
        camera_pending_ = false;
        return;
    }
    const std::string *name = names_.of(node);
    if (name && !defined_.insert(node).second) {
        out_.line("USE %s\n", name->c_str());
        return;
    }
    const std::string prefix = name ? "DEF " + *name + " " : "";
    if (OVnode_ismovable(node)) {
        write_movable(node, prefix);
        return;
    }
    const int level = out_.level;
    if (!write_node(node, type, prefix)) return;
    stack_.push_back({Item::End, nullptr, level});
    push_children(node, out_.level);
}

void SceneWriter::push_children(OVnode *node, int level) {
    std::vector<OVnode *> children;
    if (OVnode_gettype(node) != OVNODE_INLINE)
        for (int i = 0, n = OVnode_numchildren(node); i < n; ++i)
            children.push_back(OVnode_getchild(node, i));
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        stack_.push_back({Item::Node, *it, level});
}

// A movable node is a separator holding its own transform and its content;
// attachments share an attachment group with the content.
void SceneWriter::write_movable(OVnode *node, const std::string &prefix) {
    const int level = out_.level;
    const bool light = content_type(OVnode_gettype(node)) == OVNODE_LIGHT;
    write_separator_header(node, prefix, light ? "TransformSeparator {" : "Separator {");
    out_.line("Info { string \"Moveable\"} \n");
    write_pending_camera(true);
    write_transform(node);
    stack_.push_back({Item::End, nullptr, level});
    const int attachments = OVmovnode_numattachments(node);
    if (attachments > 0) {
        out_.line("%s {\n", light ? "TransformSeparator" : "Separator");
        ++out_.level;
        out_.line("Info { string \"Attachment\"} \n");
        stack_.push_back({Item::End, nullptr, level + 1});
        for (int i = attachments - 1; i >= 0; --i)
            stack_.push_back({Item::Node, OVmovnode_getattachment(node, i), out_.level});
    }
    stack_.push_back({Item::Content, node, out_.level});
}

void SceneWriter::write_separator_header(OVnode *node, const std::string &prefix,
                                         const char *header) {
    out_.line("%s%s", prefix.c_str(), header);
    if (OVsepnode_getcullmode(node) == cull_off) out_.text(" renderCulling OFF");
    out_.text("\n");
    ++out_.level;
}

bool SceneWriter::write_node(OVnode *node, int type, const std::string &prefix) {
    switch (type) {
    case OVNODE_XFORM:
        camera_pending_ = false;
        write_transform(node);
        return false;
    case OVNODE_LIGHT:
        camera_pending_ = false;
        write_light(node, prefix);
        return false;
    case OVNODE_GEOMETRY:
    case OVNODE_OBJECT:
        write_shape_node(node, prefix, type == OVNODE_OBJECT);
        return false;
    case OVNODE_ROOT:
    case OVNODE_SEPARATOR:
        write_separator_header(node, prefix, "Separator {");
        break;
    case OVNODE_XFORMSEP:
        out_.line("%sTransformSeparator {\n", prefix.c_str()), ++out_.level;
        break;
    case OVNODE_GROUP:
        out_.line("%sGroup {\n", prefix.c_str()), ++out_.level;
        break;
    case OVNODE_ANCHOR:
    case OVNODE_INLINE: {
        const bool anchor = type == OVNODE_ANCHOR;
        out_.line("%s%s {\n", prefix.c_str(), anchor ? "WWWAnchor" : "WWWInline");
        ++out_.level;
        const char *location =
            anchor ? OVanchornode_getlocation(node) : OVinlinenode_getlocation(node);
        if (location) {
            out_.line("name ");
            out_.quoted(location);
            out_.text("\n");
        }
        break;
    }
    case OVNODE_SWITCH:
        out_.line("%sSwitch { whichChild %d\n", prefix.c_str(), OVswitchnode_getwhichchild(node));
        ++out_.level;
        break;
    case OVNODE_LOD: {
        out_.line("%sLOD {\n", prefix.c_str());
        ++out_.level;
        OVp3 center = {0, 0, 0};
        OVlodnode_getcenter(node, center);
        out_.line("center %f %f %f\n", center[0], center[1], center[2]);
        const int count = OVlodnode_numranges(node);
        if (count > 0) {
            std::vector<float> ranges(static_cast<size_t>(count));
            OVlodnode_getrange(node, ranges.data(), count);
            out_.line("range [");
            for (int i = 0; i < count; ++i)
                out_.text(i ? ",%f" : "%f", ranges[static_cast<size_t>(i)]);
            out_.text("]\n");
        }
        break;
    }
    default:
        OVmessage("Unknown node type = %d\n", type);
        return false;
    }
    write_pending_camera(true);
    return true;
}

void SceneWriter::write_pending_camera(bool with_camera) {
    if (!camera_pending_) return;
    camera_pending_ = false;
    if (with_camera && camera_) write_camera(out_, camera_);
    out_.line("NormalBinding { value PER_FACE_INDEXED }\n");
    out_.line("MaterialBinding { value PER_FACE_INDEXED }\n");
    out_.line("ShapeHints {vertexOrdering COUNTERCLOCKWISE\n");
    out_.line("shapeType SOLID faceType CONVEX\n");
    out_.line("creaseAngle 0}\n");
}

// An Xform node whose kind has a rotation part, or any node whose matrix has
// one (a shear the kind does not see), is written as a whole matrix.
void SceneWriter::write_transform(OVnode *node) {
    OVm4 m, passed;
    OVnode_gettransform(node, m);
    const bool rotation_kind =
        !OVnode_ismovable(node) && (_OVnode_getxforms(node, passed) & rotation_part);
    if (!rotation_kind && !has_rotation(m)) {
        out_.line("Translation { translation %f %f %f}\n", m[3][0], m[3][1], m[3][2]);
        return;
    }
    write_matrix(m);
}

void SceneWriter::write_matrix(const OVm4 m) {
    out_.line("MatrixTransform { matrix\n");
    ++out_.level;
    for (int r = 0; r < 3; ++r)
        out_.line("%f %f %f 0.0\n", m[r][0], m[r][1], m[r][2]);
    out_.line("%f %f %f 1.0 }\n", m[3][0], m[3][1], m[3][2]);
    --out_.level;
}

void SceneWriter::write_light(OVnode *node, const std::string &prefix) {
    const int kind = OVlightnode_gettype(node);
    static const char *const headers[] = {"DirectionalLight", "PointLight", "SpotLight"};
    if (kind < OVLIGHT_DIRECTED || kind > OVLIGHT_SPOT) return; // ambient lights write nothing
    out_.line("%s%s {\n", prefix.c_str(), headers[kind]);
    ++out_.level;
    if (!OVnode_isenabled(node)) out_.line("on FALSE\n");
    OVp3 v;
    if (kind != OVLIGHT_DIRECTED) {
        OVlightnode_getposition(node, v);
        out_.line("location %f %f %f\n", v[0], v[1], v[2]);
    }
    if (kind != OVLIGHT_POINT) {
        OVlightnode_getdirection(node, v);
        out_.line("direction %f %f %f\n", -v[0], -v[1], -v[2]);
    }
    out_.line("intensity %f\n", OVlightnode_getintensity(node));
    float colour[3] = {1, 1, 1};
    OVlightnode_getdiffuse2(node, colour);
    out_.line("color %f %f %f\n", colour[0], colour[1], colour[2]);
    if (kind == OVLIGHT_SPOT) {
        out_.line("dropOffRate %f\n", OVlightnode_getexponent(node) / exponent_scale);
        out_.line("cutOffAngle %f\n", OVlightnode_getangle(node));
    }
    --out_.level;
    out_.line("}\n");
}

// A geometry node, or an object node: a separator holding the object's
// transform (a stationary object stays where its geometry is) and geometry.
void SceneWriter::write_shape_node(OVnode *node, const std::string &prefix, bool object) {
    out_.line("%sSeparator {\n", prefix.c_str());
    ++out_.level;
    write_pending_camera(object);
    if (object) write_matrix(identity);
    OVgeometry *geometry = object ? scene::object_node_geometry(node) : OVnode_getgeometry(node);
    if (geometry) write_geometry(out_, geometry);
    --out_.level;
    out_.line("}\n");
}

// A root with a single child is written from that child.
OVnode *top_of(OVnode *node) {
    if (OVnode_gettype(node) == OVNODE_ROOT && OVnode_numchildren(node) == 1)
        return OVnode_getchild(node, 0);
    return node;
}

} // namespace

void write_scene(std::FILE *file, OVnode *node, OVviewpoint *camera) {
    OVnode *top = top_of(node);
    SceneWriter(file, top, camera).write(top);
}

} // namespace orv::vrml
