#include "navigation/Vector3.h"

#include <cmath>

Vector3 operator+(const Vector3& a, const Vector3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

Vector3 operator-(const Vector3& a, const Vector3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Vector3 operator-(const Vector3& v) {
    return {-v.x, -v.y, -v.z};
}

Vector3 operator*(const Vector3& v, float s) {
    return {v.x * s, v.y * s, v.z * s};
}

Vector3 operator*(float s, const Vector3& v) {
    return v * s;
}

Vector3 Cross(const Vector3& a, const Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float Length(const Vector3& v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

Vector3 Normalize(const Vector3& v) {
    float length = Length(v);
    return {v.x / length, v.y / length, v.z / length};
}
