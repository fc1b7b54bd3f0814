#include "navigation/Matrix4.h"

Matrix4 IdentityMatrix() {
    return Matrix4{};
}

Matrix4 operator*(const Matrix4& b, const Matrix4& c) {
    Matrix4 p;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += b.at(row, k) * c.at(k, column);
            p.at(row, column) = sum;
        }
    }
    return p;
}
