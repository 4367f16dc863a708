#pragma once

#include "model/Model.hpp"

// Gives every object of model a fresh normals array of one entry per vertex (replacing any it had):
// at each vertex, Normalized(sum / -shared), where sum adds, in face order, the unnormalised
// (p0 - p2) x (p2 - p1) of every face that names the vertex (once, even if it names it twice) and
// shared counts those faces. The sums are gathered in one pass over the faces, so time grows with
// vertices plus faces and the result is bit for bit that of a per-vertex scan of all faces.
// A face with an index outside the object's vertices is left out; a vertex no face uses gets the
// zero vector. Issues no GL calls.
void BuildVertexNormals(Model& model);
