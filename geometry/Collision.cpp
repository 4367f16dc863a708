#include "geometry/Collision.hpp"

#include <cmath>

PlaneSide ClassifySphereToPlane(Vector3 centre, Vector3 normal, Vector3 point, float radius,
                                float& distance) {
    const float d = PlaneOffset(normal, point);
    distance = normal.x * centre.x + normal.y * centre.y + normal.z * centre.z + d;
    if (std::fabs(distance) < radius) {
        return Crossing;
    }
    if (distance >= radius) {
        return InFront;
    }
    return Behind;
}

bool PointInPolygon(Vector3 point, const Vector3* polygon, int count) {
    double sum = 0.0;
    for (int i = 0; i < count; ++i) {
        sum += AngleBetween(polygon[i] - point, polygon[(i + 1) % count] - point);
    }
    // One percent of slack for rounding and for a point slightly off the polygon's plane.
    return sum >= 0.99 * 6.283185307179586;
}

bool SphereTouchesEdges(Vector3 centre, const Vector3* polygon, int count, float radius) {
    for (int i = 0; i < count; ++i) {
        const Vector3 nearest = NearestPointOnSegment(polygon[i], polygon[(i + 1) % count], centre);
        if (PointDistance(nearest, centre) < radius) {
            return true;
        }
    }
    return false;
}

bool SphereTouchesPolygon(const Vector3* polygon, Vector3 centre, int count, float radius) {
    if (count < 3) {
        return false;
    }
    const Vector3 normal = TriangleNormal(polygon);
    float distance = 0.0f;
    if (ClassifySphereToPlane(centre, normal, polygon[0], radius, distance) != Crossing) {
        return false;
    }
    const Vector3 foot = centre - normal * distance;
    if (PointInPolygon(foot, polygon, count)) {
        return true;
    }
    return SphereTouchesEdges(centre, polygon, count, radius);
}

bool SphereOverlapsCube(Vector3 centre, float radius, float x, float y, float z, float h) {
    const float cube[3] = {x, y, z};
    const float sphere[3] = {centre.x, centre.y, centre.z};
    float s = 0.0f;
    for (int axis = 0; axis < 3; ++axis) {
        const float b = cube[axis];
        const float cc = sphere[axis];
        if (cc > b + h) {
            const float gap = cc - (b + h);
            s += gap * gap;
        } else if (cc < b - h) {
            const float gap = (b - h) - cc;
            s += gap * gap;
        }
    }
    return radius * radius >= s;
}
