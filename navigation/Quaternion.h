#pragma once
// Rotation quaternion, scalar first, kept at unit length by its users.

struct Matrix4;

struct Quaternion {
    float w = 1.0f;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// Hamilton product p (x) q: w = pw*qw - pv.qv, v = pw*qv + qw*pv + pv x qv.
Quaternion operator*(const Quaternion& p, const Quaternion& q);
// Row-major rotation matrix of q (products 2ab formed in double precision). Handed to GL unchanged,
// GL applies its transpose, i.e. the rotation of the conjugate quaternion.
Matrix4 ToMatrix(const Quaternion& q);
