// Reads a VRML 1.0 file with an independent reader (Coin) and prints what it
// found, for the scene writer's tests to compare with the toolkit's scene:
//   coordinates <points>   faces <faces>   diffuse <r> <g> <b> (per entry)
//   camera <x> <y> <z>     (the camera's viewing direction)
//   texcoords <pairs>   texfaces <faces with texture coordinate indices>
//   texture file <name> | texture image <width> <height> <components> (per Texture2)
// Exit status 2 when the file cannot be read.
#include <Inventor/SbLinear.h>
#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/SoPath.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/nodes/SoCoordinate3.h>
#include <Inventor/nodes/SoIndexedFaceSet.h>
#include <Inventor/nodes/SoMaterial.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoTexture2.h>
#include <Inventor/nodes/SoTextureCoordinate2.h>

#include <cstdio>

namespace {

// Every path to a node of the type, inactive switch children included, so
// that a node used twice counts twice.
const SoPathList &find_all(SoNode *root, SoType type, SoSearchAction &search) {
    search.setType(type);
    search.setInterest(SoSearchAction::ALL);
    search.setSearchingAll(TRUE);
    search.apply(root);
    return search.getPaths();
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s file.wrl\n", argv[0]);
        return 1;
    }
    SoDB::init();
    SoInput in;
    if (!in.openFile(argv[1])) return 2;
    SoSeparator *root = SoDB::readAll(&in);
    if (!root) return 2;
    root->ref();
    long points = 0, faces = 0;
    SoSearchAction coordinates, face_sets, materials, cameras;
    const SoPathList &c = find_all(root, SoCoordinate3::getClassTypeId(), coordinates);
    for (int i = 0; i < c.getLength(); ++i)
        points += static_cast<SoCoordinate3 *>(c[i]->getTail())->point.getNum();
    const SoPathList &f = find_all(root, SoIndexedFaceSet::getClassTypeId(), face_sets);
    for (int i = 0; i < f.getLength(); ++i) {
        const SoMFInt32 &index = static_cast<SoIndexedFaceSet *>(f[i]->getTail())->coordIndex;
        for (int k = 0; k < index.getNum(); ++k)
            faces += index[k] == -1 ? 1 : 0;
    }
    std::printf("coordinates %ld\nfaces %ld\n", points, faces);
    const SoPathList &m = find_all(root, SoMaterial::getClassTypeId(), materials);
    for (int i = 0; i < m.getLength(); ++i) {
        const SoMFColor &diffuse = static_cast<SoMaterial *>(m[i]->getTail())->diffuseColor;
        for (int k = 0; k < diffuse.getNum(); ++k)
            std::printf("diffuse %f %f %f\n", diffuse[k][0], diffuse[k][1], diffuse[k][2]);
    }
    const SoPathList &cam = find_all(root, SoPerspectiveCamera::getClassTypeId(), cameras);
    for (int i = 0; i < cam.getLength(); ++i) {
        SbVec3f direction;
        static_cast<SoPerspectiveCamera *>(cam[i]->getTail())
            ->orientation.getValue()
            .multVec(SbVec3f(0, 0, -1), direction);
        std::printf("camera %f %f %f\n", direction[0], direction[1], direction[2]);
    }
    long pairs = 0, textured_faces = 0;
    SoSearchAction coordinates2, textures;
    const SoPathList &t = find_all(root, SoTextureCoordinate2::getClassTypeId(), coordinates2);
    for (int i = 0; i < t.getLength(); ++i)
        pairs += static_cast<SoTextureCoordinate2 *>(t[i]->getTail())->point.getNum();
    for (int i = 0; i < f.getLength(); ++i) {
        const SoMFInt32 &index =
            static_cast<SoIndexedFaceSet *>(f[i]->getTail())->textureCoordIndex;
        if (index.isDefault()) continue; // a lone -1: no texture coordinates
        for (int k = 0; k < index.getNum(); ++k)
            textured_faces += index[k] == -1 ? 1 : 0;
    }
    std::printf("texcoords %ld\ntexfaces %ld\n", pairs, textured_faces);
    const SoPathList &tex = find_all(root, SoTexture2::getClassTypeId(), textures);
    for (int i = 0; i < tex.getLength(); ++i) {
        const SoTexture2 *node = static_cast<SoTexture2 *>(tex[i]->getTail());
        SbVec2s size;
        int components = 0;
        node->image.getValue(size, components);
        if (node->filename.getValue().getLength() > 0)
            std::printf("texture file %s\n", node->filename.getValue().getString());
        else
            std::printf("texture image %d %d %d\n", size[0], size[1], components);
    }
    root->unref();
    return 0;
}
