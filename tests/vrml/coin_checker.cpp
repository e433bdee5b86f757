// Reads a VRML 1.0 file with an independent reader (Coin) and prints what it
// found, for the scene writer's tests to compare with the toolkit's scene:
//   coordinates <points>   faces <faces>   diffuse <r> <g> <b> (per entry)
//   camera <x> <y> <z>     (the camera's viewing direction)
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
    root->unref();
    return 0;
}
