#include "octree/OctreeStats.hpp"

OctreeStats octreeStats;
