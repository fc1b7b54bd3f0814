#pragma once
// Three-float point or direction, with the free-function toolkit of the navigation code.

struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

inline constexpr Vector3 kAxisX{1.0f, 0.0f, 0.0f};
inline constexpr Vector3 kAxisY{0.0f, 1.0f, 0.0f};
inline constexpr Vector3 kAxisZ{0.0f, 0.0f, 1.0f};

Vector3 operator+(const Vector3& a, const Vector3& b);
Vector3 operator-(const Vector3& a, const Vector3& b);
Vector3 operator-(const Vector3& v);
Vector3 operator*(const Vector3& v, float s);
Vector3 operator*(float s, const Vector3& v);
// a x b.
Vector3 Cross(const Vector3& a, const Vector3& b);
// sqrt(x^2 + y^2 + z^2).
float Length(const Vector3& v);
// v / |v|; a zero vector gives non-finite components (callers keep their vectors non-zero).
Vector3 Normalize(const Vector3& v);
