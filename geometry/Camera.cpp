#include "geometry/Camera.hpp"

#include "geometry/PortableMath.hpp"

Camera::Camera()
    : position(0.0f, 0.0f, 0.0f), viewPoint(0.0f, 1.0f, 0.0f), up(0.0f, 0.0f, 1.0f), strafe(0, 0, 0) {}

void Camera::SetPose(float px, float py, float pz, float vx, float vy, float vz, float ux, float uy,
                     float uz) {
    position = Vector3(px, py, pz);
    viewPoint = Vector3(vx, vy, vz);
    up = Vector3(ux, uy, uz);
}

void Camera::Advance(float speed) {
    const Vector3 v = viewPoint - position;
    position.x += v.x * speed;
    position.z += v.z * speed;
    viewPoint.x += v.x * speed;
    viewPoint.z += v.z * speed;
}

void Camera::Sidestep(float speed) {
    position.x += strafe.x * speed;
    position.z += strafe.z * speed;
    viewPoint.x += strafe.x * speed;
    viewPoint.z += strafe.z * speed;
}

void Camera::OrbitAround(Vector3 centre, float angle, float ax, float ay, float az) {
    const Vector3 v = position - centre;
    // Cosine and sine in double, each rounded once to a float; the rotation itself is all float. The
    // game's own cosine and sine, not the maths library's, so both builds turn by the same bits.
    const float c = static_cast<float>(Cosine(static_cast<double>(angle)));
    const float s = static_cast<float>(Sine(static_cast<double>(angle)));
    const float k = 1.0f - c;
    const float nx = (c + k * ax * ax) * v.x + (k * ax * ay - az * s) * v.y + (k * ax * az + ay * s) * v.z;
    const float ny = (k * ax * ay + az * s) * v.x + (c + k * ay * ay) * v.y + (k * ay * az - ax * s) * v.z;
    const float nz = (k * ax * az - ay * s) * v.x + (k * ay * az + ax * s) * v.y + (c + k * az * az) * v.z;
    position = centre + Vector3(nx, ny, nz);
}

void Camera::RefreshStrafe() {
    strafe = Normalized(CrossProduct(viewPoint - position, up));
}
