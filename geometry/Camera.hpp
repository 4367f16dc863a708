#pragma once

#include "geometry/Vector3.hpp"

// The third-person camera: the eye orbits and walks around the point it looks at, where the penguin
// stands. Walking and side-stepping keep both heights; orbiting about the vertical axis through the
// view point keeps the horizontal distance between them.
struct Camera {
    Vector3 position;  // the eye, in world units
    Vector3 viewPoint; // the point the eye looks at
    Vector3 up;        // handed to the view transform as it is: neither unit length nor perpendicular
    Vector3 strafe;    // unit vector to the viewer's right, written only by RefreshStrafe

    // Eye at the origin looking at (0, 1, 0) with up (0, 0, 1); strafe zero until the first refresh,
    // so a sidestep before it moves nothing.
    Camera();

    // Copies the nine values into position, viewPoint and up, in that order.
    void SetPose(float px, float py, float pz, float vx, float vy, float vz, float ux, float uy, float uz);

    // Moves eye and view point by speed times their horizontal offset (not normalised, so the step
    // grows with the distance between them). The y components never change.
    void Advance(float speed);

    // Moves eye and view point by speed along the strafe of the last refresh, in x and z only.
    void Sidestep(float speed);

    // Rotates position by angle radians about the axis (ax, ay, az) through centre; the axis is taken
    // as unit length. viewPoint and up stay where they are.
    void OrbitAround(Vector3 centre, float angle, float ax, float ay, float az);

    // strafe = Normalized((viewPoint - position) x up); zero when the line of sight is parallel to up.
    void RefreshStrafe();
};
