#include "geometry/Collision.hpp"
#include "model/ModelObject.hpp"
#include "octree/Octree.hpp"
#include "octree/OctreeStats.hpp"
#include "support/GLTestContext.hpp"
#include "tools/content/Church.hpp"
#include "tools/content/OctreeFit.hpp"
#include "tools/content/RunFolder.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <unistd.h>

// The church through the whole chain the game uses: written by the 3DS writer, read back by the
// game's reader, partitioned by the game's octree. The octree hands a face only to the cubes its
// corners lie in, so a large face could be missed where the sphere touches it far from its corners;
// the church as shipped has its flat faces cut to the tree's cubes so that this never happens.
TEST(ContentOctree, QueryFindsEveryContactTheFacesHaveWhereThePlayerWalks) {
    GLTestContext gl; // the query sets the GL colour on contact
    ASSERT_TRUE(gl.IsOpen());
    Scene scene;
    BuildChurch(scene);
    const RootCube cube = FitToOctree(scene);
    const std::string path =
        (std::filesystem::temp_directory_path() / ("church_" + std::to_string(::getpid()) + ".3DS")).string();
    ASSERT_TRUE(writers::Write3dsFile(path.c_str(), Describe(scene)));
    ModelObject level(path.c_str());
    ModelObject sphere(path.c_str());
    std::filesystem::remove(path);
    ASSERT_EQ(level.model.ObjectCount(), static_cast<int>(scene.parts.size()));

    Octree root;
    const int leafCount = root.Build(level.model).leafCount;
    OctreeStats counts{};
    // The game measures the cube the faces were cut to.
    EXPECT_EQ(root.GetCentre().x, cube.centre.x);
    EXPECT_EQ(root.GetCentre().y, cube.centre.y);
    EXPECT_EQ(root.GetCentre().z, cube.centre.z);
    EXPECT_EQ(root.GetWidth(), cube.width);
    ASSERT_GT(leafCount, 100);

    struct Box {
        Vector3 lo, hi;
        const MeshObject* object;
        int face;
    };
    std::vector<Box> faces;
    for (const MeshObject& object : level.model.objects) {
        for (int f = 0; f < object.FaceCount(); ++f) {
            Box box{object.vertices[object.faces[f].vertexIndex[0]],
                    object.vertices[object.faces[f].vertexIndex[0]], &object, f};
            for (int k = 1; k < 3; ++k) {
                const Vector3 v = object.vertices[object.faces[f].vertexIndex[k]];
                box.lo = Vector3(std::min(box.lo.x, v.x), std::min(box.lo.y, v.y), std::min(box.lo.z, v.z));
                box.hi = Vector3(std::max(box.hi.x, v.x), std::max(box.hi.y, v.y), std::max(box.hi.z, v.z));
            }
            faces.push_back(box);
        }
    }
    int contacts = 0;
    for (float y : {0.0f, 12.0f}) {
        for (float z = 185.0f; z > -1100.0f; z -= 7.0f) {
            for (float x = -295.0f; x < 255.0f; x += 7.0f) {
                sphere.position = Vector3(x, y, z);
                bool touches = false;
                for (const Box& b : faces) {
                    if (x + 15.0f < b.lo.x || x - 15.0f > b.hi.x || z + 15.0f < b.lo.z ||
                        z - 15.0f > b.hi.z || y + 15.0f < b.lo.y || y - 15.0f > b.hi.y) {
                        continue;
                    }
                    Vector3 triangle[3];
                    for (int k = 0; k < 3; ++k) {
                        triangle[k] = b.object->vertices[b.object->faces[b.face].vertexIndex[k]];
                    }
                    if (sphere.SphereTouchesTriangle(triangle)) {
                        touches = true;
                        break;
                    }
                }
                contacts += touches ? 1 : 0;
                ASSERT_EQ(root.Collide(sphere, level.model, counts), touches) << x << " " << y << " " << z;
            }
        }
    }
    EXPECT_GT(contacts, 1000);
}
