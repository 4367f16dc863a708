#pragma once

struct Camera;
struct Frustum;

// Where the drawing meets the camera and the frustum: the GL side of the view, kept out of the
// rules, which never touch GL.

// gluLookAt with the camera's position, viewPoint and up, each widened to double, on the current
// GL matrix. Needs a current context.
void ApplyView(const Camera& camera);

// Rebuilds the frustum's planes from the projection and modelview matrices GL holds now. Needs a
// current context; changes no GL state.
void ExtractPlanes(Frustum& frustum);
