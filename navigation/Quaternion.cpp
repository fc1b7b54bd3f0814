#include "navigation/Quaternion.h"

#include "navigation/Matrix4.h"
#include "navigation/Vector3.h"

Quaternion operator*(const Quaternion& p, const Quaternion& q) {
    const Vector3 pv{p.x, p.y, p.z};
    const Vector3 qv{q.x, q.y, q.z};
    const float w = p.w * q.w - (pv.x * qv.x + pv.y * qv.y + pv.z * qv.z);
    const Vector3 v = p.w * qv + q.w * pv + Cross(pv, qv);
    return {w, v.x, v.y, v.z};
}

Matrix4 ToMatrix(const Quaternion& q) {
    const double w = q.w, x = q.x, y = q.y, z = q.z;
    Matrix4 r;  // identity: row 3 and column 3 stay as they are
    r.at(0, 0) = static_cast<float>(1.0 - 2.0 * y * y - 2.0 * z * z);
    r.at(0, 1) = static_cast<float>(2.0 * x * y - 2.0 * w * z);
    r.at(0, 2) = static_cast<float>(2.0 * x * z + 2.0 * w * y);
    r.at(1, 0) = static_cast<float>(2.0 * x * y + 2.0 * w * z);
    r.at(1, 1) = static_cast<float>(1.0 - 2.0 * x * x - 2.0 * z * z);
    r.at(1, 2) = static_cast<float>(2.0 * y * z - 2.0 * w * x);
    r.at(2, 0) = static_cast<float>(2.0 * x * z - 2.0 * w * y);
    r.at(2, 1) = static_cast<float>(2.0 * y * z + 2.0 * w * x);
    r.at(2, 2) = static_cast<float>(1.0 - 2.0 * x * x - 2.0 * y * y);
    return r;
}
