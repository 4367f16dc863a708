#pragma once

#include "octree/Octree.hpp"

#include <string>

// The tree as JSON for people tuning their levels and for black-box tests:
// {"leafCount": n, "centre": [x, y, z], "width": w, "leaves": [{"ordinal": i, "depth": d,
// "centre": [...], "width": w, "triangleCount": t, "objectIndices": [...]}, ...]}, the leaves in
// depth-first octant order, ordinals counted in that order. Issues no GL calls.
std::string OctreeJson(const Octree& root);

// The same four members without the braces, appended to out, for a larger JSON object.
void AppendOctreeJsonMembers(std::string& out, const Octree& root);
