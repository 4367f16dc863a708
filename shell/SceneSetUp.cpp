#include "shell/SceneSetUp.hpp"

#include "base/Message.hpp"
#include "shell/World.hpp"

#include <GL/gl.h>

namespace {

// A texture file that is not there ends the game: a level with holes in it is no level. False
// after its message.
bool Opened(const TextureResult& texture) {
    if (!texture.opened) {
        ShowMessage("CargaTexturaBMP", texture.path.c_str(), MessageIcon::None);
        return false;
    }
    return true;
}

struct BlockTexture {
    MovingBlock* block;
    const char* textureFile;
    int slot;
};

} // namespace

bool LoadSceneAssets(World& world) {
    if (!Opened(world.penguin.LoadTextures()) || !Opened(world.level.LoadTextures())) {
        return false;
    }

    SimState& sim = world.sim;
    const BlockTexture textures[] = {
        {&sim.firstDoor, "RedBrick.bmp", 2},
        {&sim.secondDoor, "Redbrick.bmp", 3},
        {&sim.doorSwitch, "LEET_SKI.bmp", 4},
    };
    for (const BlockTexture& t : textures) {
        if (!Opened(t.block->LoadBlockTexture(world.blockTextures, t.textureFile, t.slot))) {
            return false;
        }
    }
    // The doors lift 100 units (+y); the switch is pushed 3 units in (-z).
    PlaceBlocks(sim);
    return true;
}

namespace {

// Going on with part of the level missing would leave holes to walk through. Always false.
bool RefuseForWantOfMemory() {
    ShowMessage("ERROR", "No hay memoria suficiente para dividir el nivel", MessageIcon::Exclamation);
    return false;
}

// True when GL ran out of memory since the last call (every pending error is taken).
bool GLRanOutOfMemory() {
    bool outOfMemory = false;
    for (int pending = 0; pending < 8; ++pending) {
        const GLenum error = glGetError();
        if (error == GL_NO_ERROR) {
            break;
        }
        outOfMemory = outOfMemory || error == GL_OUT_OF_MEMORY;
    }
    return outOfMemory;
}

} // namespace

bool BuildLevelOctree(World& world) {
    Octree& octree = world.octree;
    const OctreeBuildResult built = octree.Build(world.level.model);
    if (built.outOfMemory) {
        return RefuseForWantOfMemory();
    }
    world.leafCount = built.leafCount;
    // One block of names serves every leaf: a leaf's list is the first name plus its ordinal. The
    // driver may run out of memory for the names or for any list; the level is then incomplete.
    GLRanOutOfMemory();
    octree.SetListId(static_cast<int>(glGenLists(world.leafCount)));
    if (world.leafCount > 0 && octree.GetListId() == 0) {
        return RefuseForWantOfMemory();
    }
    Octree::CompileLists(world.level, &octree, octree.GetListId());
    if (GLRanOutOfMemory()) {
        return RefuseForWantOfMemory();
    }
    return true;
}
