#include "model/Reader3DS.hpp"
#include "octree/Octree.hpp"
#include "octree/OctreeJson.hpp"
#include "tools/inspect/Inspect.hpp"

#include <cstdio>

int InspectOctree(int argc, char** argv, std::string& out) {
    if (argc != 1) {
        std::fprintf(stderr, "usage: jostrela-inspect octree FILE\n");
        return 2;
    }
    CollectMessages();
    Model model;
    const bool ok = Read3dsFile(model, argv[0]);
    // Partitioned as the game partitions its level; a file that cannot be read gives the tree of an
    // empty model.
    Octree root;
    const bool built = !root.Build(model).outOfMemory;
    out += ok ? "{\"ok\": true, " : "{\"ok\": false, ";
    AppendMessages(out);
    out += ", ";
    AppendOctreeJsonMembers(out, root);
    out += '}';
    if (!built) {
        std::fprintf(stderr, "jostrela-inspect: not enough memory to partition %s\n", argv[0]);
        out.clear();
    }
    return ok && built ? 0 : 1;
}
