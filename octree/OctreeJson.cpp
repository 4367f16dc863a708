#include "octree/OctreeJson.hpp"

#include "base/Json.hpp"

namespace {

void AppendCube(std::string& out, const Octree& node) {
    out += "\"centre\": ";
    const float centre[3] = {node.centre.x, node.centre.y, node.centre.z};
    AppendJsonFloats(out, centre, 3);
    out += ", \"width\": ";
    AppendJsonFloat(out, node.width);
}

void AppendLeaves(std::string& out, const Octree& node, int depth, int& ordinal) {
    if (node.subdivided) {
        for (const std::unique_ptr<Octree>& child : node.children) {
            if (child) {
                AppendLeaves(out, *child, depth + 1, ordinal);
            }
        }
        return;
    }
    if (ordinal > 0) {
        out += ", ";
    }
    out += "{\"ordinal\": " + std::to_string(ordinal) + ", \"depth\": " + std::to_string(depth) + ", ";
    AppendCube(out, node);
    out += ", \"triangleCount\": " + std::to_string(node.triangleCount) + ", \"objectIndices\": [";
    for (std::size_t i = 0; i < node.objectIndices.size(); ++i) {
        out += (i > 0 ? ", " : "") + std::to_string(node.objectIndices[i]);
    }
    out += "]}";
    ++ordinal;
}

} // namespace

void AppendOctreeJsonMembers(std::string& out, const Octree& root) {
    std::string leaves;
    int ordinal = 0;
    AppendLeaves(leaves, root, 0, ordinal);
    out += "\"leafCount\": " + std::to_string(ordinal) + ", ";
    AppendCube(out, root);
    out += ", \"leaves\": [" + leaves + "]";
}

std::string OctreeJson(const Octree& root) {
    std::string out = "{";
    AppendOctreeJsonMembers(out, root);
    out += "}\n";
    return out;
}
