#pragma once
// 4x4 float matrix, row-major: element (row r, column c) at index 4*r + c.
// Handed to OpenGL unchanged, so OpenGL applies its transpose.

struct Matrix4 {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    float& at(int row, int column) { return m[4 * row + column]; }
    float at(int row, int column) const { return m[4 * row + column]; }
};

// The identity matrix.
Matrix4 IdentityMatrix();
// P(r, c) = sum_k b(r, k) * c(k, c): with b an object's matrix and c the camera's, object on the left.
Matrix4 operator*(const Matrix4& b, const Matrix4& c);
