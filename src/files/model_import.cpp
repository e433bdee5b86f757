#include "files/model_import.h"

#include "core/file_extension.h"
#include "geometry/geometry_builder.h"
#include "orv/file.h"
#include "orv/geometry.h"
#include "orv/message.h"
#include "orv/mtable.h"
#include "orv/node.h"

#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orv {

namespace {

// A polygon holds at most this many corners; larger faces are fanned.
constexpr unsigned max_corners = 256;
// The toolkit's shininess is OpenGL's exponent range.
constexpr float max_shininess = 128.0f;
constexpr int table_properties =
    OVAMBIENT | OVDIFFUSE | OVSPECULAR | OVEMISSION | OVSHININESS | OVOPACITY;
constexpr unsigned import_steps = aiProcess_JoinIdenticalVertices | aiProcess_SortByPType |
                                  aiProcess_FindInvalidData | aiProcess_ValidateDataStructure;

bool readable(const char *name) {
    std::FILE *f = name ? std::fopen(name, "rb") : nullptr;
    if (f) std::fclose(f);
    return f != nullptr;
}

// The whole open file, for names that do not open again by themselves.
std::vector<char> slurp(std::FILE *file) {
    std::vector<char> bytes;
    char chunk[1 << 16];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
        bytes.insert(bytes.end(), chunk, chunk + n);
    return bytes;
}

// The import library's PLY reader never returns from a header without its
// "end_header" line, so such a file is refused before it gets there.
constexpr size_t ply_header_limit = 1 << 16;
constexpr std::string_view ply_header_end = "end_header";

bool ply_header_incomplete(const std::vector<char> &head) {
    const std::string_view h(head.data(), head.size());
    return (h.substr(0, 3) == "ply" && h.find(ply_header_end) == h.npos);
}

std::vector<char> head_of(const char *name) {
    std::vector<char> head(ply_header_limit);
    std::FILE *f = std::fopen(name, "rb");
    head.resize(f ? std::fread(head.data(), 1, head.size(), f) : 0);
    if (f) std::fclose(f);
    return head;
}

// The extensions under which the import library reads a file as the format
// the type code names; the first is the hint for a file named otherwise.
std::vector<std::string_view> extensions_of(int type) {
    switch (type) {
    case OVFILE_WAVEFRONT:
        return {"obj"};
    case OVFILE_3DS:
        return {"3ds"};
    case OVFILE_DXF:
        return {"dxf"};
    case OVFILE_GLTF:
        return {"glb", "gltf"};
    case OVFILE_STL:
        return {"stl"};
    case OVFILE_PLY:
        return {"ply"};
    default:
        return {};
    }
}

std::vector<char> bytes_of(std::FILE *file, const char *name) {
    if (file) return slurp(file);
    std::FILE *f = name ? std::fopen(name, "rb") : nullptr;
    if (!f) return {};
    std::vector<char> bytes = slurp(f);
    std::fclose(f);
    return bytes;
}

// The file is read as the format its type code names. One named for that
// format is read by name, so that files it refers to (an OBJ's material
// library, glTF buffers) are found; any other is read from memory under the
// format's extension, since by its own name the library would pick another
// reader (a ".nff" file would go to its reader of a different NFF).
const aiScene *read_scene(Assimp::Importer &importer, std::FILE *file, const char *name, int type,
                          unsigned steps) {
    importer.SetPropertyInteger(AI_CONFIG_PP_SBP_REMOVE,
                                aiPrimitiveType_POINT | aiPrimitiveType_LINE);
    const std::vector<std::string_view> extensions = extensions_of(type);
    if (extensions.empty()) return nullptr;
    const std::string ext = file_extension(name);
    const bool named_for_type =
        std::find(extensions.begin(), extensions.end(), ext) != extensions.end();
    // STL normals are facet normals, which the close step computes itself;
    // kept, they would split every shared corner into one vertex per facet.
    if (type == OVFILE_STL) {
        importer.SetPropertyInteger(AI_CONFIG_PP_RVC_FLAGS, aiComponent_NORMALS);
        steps |= aiProcess_RemoveComponent;
    }
    if (named_for_type && readable(name)) {
        if (ply_header_incomplete(head_of(name))) return nullptr;
        return importer.ReadFile(name, steps);
    }
    const std::vector<char> bytes = bytes_of(file, name);
    if (bytes.empty() || ply_header_incomplete(bytes)) return nullptr;
    const std::string hint(named_for_type ? std::string_view(ext) : extensions.front());
    return importer.ReadFileFromMemory(bytes.data(), bytes.size(), steps, hint.c_str());
}

const aiScene *report_failure(Assimp::Importer &importer, const aiScene *scene, const char *name) {
    if (scene && scene->mNumMeshes > 0) return scene;
    const char *reason = scene ? "it holds no polygons" : importer.GetErrorString();
    if (!scene && !*reason) reason = "its header is incomplete";
    OVwarning("Couldn't load model %s: %s\n", name ? name : "",
              reason && *reason ? reason : "unreadable");
    return nullptr;
}

void set_colour(OVmtable *table, int entry, const aiMaterial *m, const char *key, unsigned type,
                unsigned index, int property, aiColor3D fallback) {
    aiColor3D c = fallback;
    m->Get(key, type, index, c);
    const float values[3] = {c.r, c.g, c.b};
    OVmtable_setvalue(table, entry, values, property);
}

// One table for the file, an entry per material in the file's order.
OVmtable *make_table(const aiScene *scene) {
    OVmtable *table =
        OVmtable_new(table_properties, static_cast<int>(scene->mNumMaterials), nullptr);
    for (unsigned i = 0; i < scene->mNumMaterials; ++i) {
        const aiMaterial *m = scene->mMaterials[i];
        const int entry = OVmtable_newentry(table);
        set_colour(table, entry, m, AI_MATKEY_COLOR_AMBIENT, OVAMBIENT,
                   aiColor3D(0.2f, 0.2f, 0.2f));
        set_colour(table, entry, m, AI_MATKEY_COLOR_DIFFUSE, OVDIFFUSE,
                   aiColor3D(0.8f, 0.8f, 0.8f));
        set_colour(table, entry, m, AI_MATKEY_COLOR_SPECULAR, OVSPECULAR, aiColor3D(0, 0, 0));
        set_colour(table, entry, m, AI_MATKEY_COLOR_EMISSIVE, OVEMISSION, aiColor3D(0, 0, 0));
        float shininess = 0, opacity = 1;
        m->Get(AI_MATKEY_SHININESS, shininess);
        m->Get(AI_MATKEY_OPACITY, opacity);
        shininess = std::clamp(shininess, 0.0f, max_shininess);
        opacity = std::clamp(opacity, 0.0f, 1.0f);
        OVmtable_setvalue(table, entry, &shininess, OVSHININESS);
        OVmtable_setvalue(table, entry, &opacity, OVOPACITY);
    }
    return table;
}

// A row-vector matrix from the library's column-vector one, its translation scaled.
void to_m4(const aiMatrix4x4 &a, float scale, OVm4 out) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out[r][c] = a[c][r];
    for (int c = 0; c < 3; ++c)
        out[3][c] *= scale;
}

void add_face(OVgeometry *g, const unsigned *indices, unsigned count, int matid) {
    OVpoly *p = OVgeometry_beginpoly(g);
    if (!p) return;
    for (unsigned i = 0; i < count; ++i)
        OVpoly_addvertex(p, static_cast<int>(indices[i]));
    OVpoly_setmatid(p, matid);
    OVpoly_close(p);
}

// The file's material table, deleted when no geometry took it: one that every
// user has left deletes itself.
struct SharedTable {
    OVmtable *table;
    bool taken = false;
    void release_if_untaken() {
        if (!taken) OVmtable_delete(table);
    }
};

// One closed geometry per mesh; null when it has no polygon the close step keeps.
OVgeometry *make_geometry(const aiMesh *mesh, const char *name, float scale, SharedTable &shared) {
    OVgeometry *g = OVgeometry_begin();
    if (!g) return nullptr;
    OVgeometry_setname(g, name && *name ? name : mesh->mName.C_Str());
    OVgeometry_setmtable(g, shared.table);
    shared.taken = true;
    for (unsigned i = 0; i < mesh->mNumVertices; ++i) {
        const aiVector3D &a = mesh->mVertices[i];
        const OVp3 position = {a.x * scale, a.y * scale, a.z * scale};
        OVvertex *v = OVgeometry_newvertex(g, position);
        if (mesh->HasNormals() && v) {
            const aiVector3D &n = mesh->mNormals[i];
            const OVp3 normal = {n.x, n.y, n.z};
            if (n.x != 0 || n.y != 0 || n.z != 0) OVgeometry_setvertexnormal(g, v, normal);
        }
    }
    const int matid = static_cast<int>(mesh->mMaterialIndex);
    for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
        const aiFace &face = mesh->mFaces[f];
        if (face.mNumIndices < 3) continue;
        if (face.mNumIndices <= max_corners) {
            add_face(g, face.mIndices, face.mNumIndices, matid);
            continue;
        }
        for (unsigned k = 1; k + 1 < face.mNumIndices; ++k) {
            const unsigned fan[3] = {face.mIndices[0], face.mIndices[k], face.mIndices[k + 1]};
            add_face(g, fan, 3, matid);
        }
    }
    return OVgeometry_close(g) ? g : nullptr;
}

std::string base_name(const char *path) {
    std::string_view p(path ? path : "");
    const size_t slash = p.find_last_of("/\\");
    if (slash != p.npos) p.remove_prefix(slash + 1);
    return std::string(p.substr(0, p.find('.')));
}

} // namespace

bool imported_type(int type) {
    return type == OVFILE_WAVEFRONT || type == OVFILE_3DS || type == OVFILE_DXF ||
           type == OVFILE_GLTF || type == OVFILE_STL || type == OVFILE_PLY;
}

OVgeomlist *import_geometries(std::FILE *file, const char *name, int type, float scale) {
    Assimp::Importer importer;
    const aiScene *scene = report_failure(
        importer,
        read_scene(importer, file, name, type, import_steps | aiProcess_PreTransformVertices),
        name);
    if (!scene) return nullptr;
    SharedTable table{make_table(scene)};
    OVgeomlist *list = nullptr, **tail = &list; // appending at the tail keeps the file order
    const std::string file_name = base_name(name);
    for (unsigned i = 0; i < scene->mNumMeshes; ++i) {
        const aiMesh *mesh = scene->mMeshes[i];
        const std::string mesh_name = mesh->mName.length ? mesh->mName.C_Str() : file_name;
        if (OVgeometry *g = make_geometry(mesh, mesh_name.c_str(), scale, table))
            tail = geom::builder_list_append(tail, g);
    }
    if (!list) {
        OVwarning("Couldn't load model %s: no polygon could be made\n", name ? name : "");
        table.release_if_untaken();
    }
    return list;
}

OVnode *import_nodes(OVnode *parent, const char *path, int type, float scale) {
    Assimp::Importer importer;
    const aiScene *scene =
        report_failure(importer, read_scene(importer, nullptr, path, type, import_steps), path);
    if (!scene || !scene->mRootNode) return nullptr;
    SharedTable table{make_table(scene)};
    // Built apart from the scene and added whole, so a failure leaves nothing.
    OVnode *top = OVsepnode_new(nullptr);
    const aiString &root_name = scene->mRootNode->mName;
    OVnode_setname(top, root_name.length ? root_name.C_Str() : base_name(path).c_str());
    int meshes = 0;
    std::vector<std::pair<const aiNode *, OVnode *>> stack{{scene->mRootNode, top}};
    while (!stack.empty()) {
        auto [from, into] = stack.back();
        stack.pop_back();
        if (!from->mTransformation.IsIdentity()) {
            OVm4 m;
            to_m4(from->mTransformation, scale, m);
            OVnode_settransform(OVxformnode_new(into), m);
        }
        for (unsigned i = 0; i < from->mNumMeshes; ++i) {
            const unsigned index = from->mMeshes[i];
            if (index >= scene->mNumMeshes) continue;
            const aiMesh *mesh = scene->mMeshes[index];
            const char *name = mesh->mName.length ? mesh->mName.C_Str() : from->mName.C_Str();
            if (OVgeometry *g = make_geometry(mesh, name, scale, table)) {
                OVnode *node = OVgeometrynode_new(into, g);
                OVnode_setname(node, OVgeometry_getname(g));
                ++meshes;
            }
        }
        // Separators in the file's order; taken from the stack first to last.
        const size_t first_child = stack.size();
        for (unsigned c = 0; c < from->mNumChildren; ++c) {
            OVnode *child = OVsepnode_new(into);
            OVnode_setname(child, from->mChildren[c]->mName.C_Str());
            stack.emplace_back(from->mChildren[c], child);
        }
        std::reverse(stack.begin() + static_cast<std::ptrdiff_t>(first_child), stack.end());
    }
    if (!meshes) {
        OVwarning("Couldn't load model %s: no polygon could be made\n", path);
        OVnode_delete(top);
        table.release_if_untaken();
        return nullptr;
    }
    if (parent && !OVnode_addchild(parent, top)) {
        OVnode_delete(top);
        return nullptr;
    }
    return top;
}

} // namespace orv
