#include "navigation/Quaternion.h"

#include <gtest/gtest.h>

#include <cmath>

#include "navigation/Matrix4.h"
#include "navigation/Vector3.h"

TEST(Toolkit, VectorOperations) {
    const Vector3 a{1, 2, 3};
    const Vector3 b{-2, 0.5f, 4};
    const Vector3 sum = a + b;
    const Vector3 difference = a - b;
    const Vector3 negated = -a;
    const Vector3 cross = Cross(a, b);
    EXPECT_EQ(sum.z, 7.0f);
    EXPECT_EQ(difference.x, 3.0f);
    EXPECT_EQ(negated.y, -2.0f);
    EXPECT_EQ((2.0f * a).z, 6.0f);
    EXPECT_EQ((a * 2.0f).x, 2.0f);
    EXPECT_EQ(cross.x, 2 * 4 - 3 * 0.5f);
    EXPECT_EQ(cross.y, 3 * -2 - 1 * 4);
    EXPECT_EQ(cross.z, 1 * 0.5f - 2 * -2);
    EXPECT_EQ(Cross(kAxisX, kAxisY).z, 1.0f);
    const Vector3 unit = Normalize(Vector3{3, 0, 4});
    EXPECT_FLOAT_EQ(unit.x, 0.6f);
    EXPECT_FLOAT_EQ(unit.z, 0.8f);
    EXPECT_FLOAT_EQ(Length(Vector3{2, 3, 6}), 7.0f);
}

TEST(Toolkit, HamiltonProductAndMatrix) {
    // i * j = k, j * i = -k: the order of the factors matters.
    const Quaternion i{0, 1, 0, 0};
    const Quaternion j{0, 0, 1, 0};
    const Quaternion k = i * j;
    EXPECT_EQ(k.z, 1.0f);
    EXPECT_EQ((j * i).z, -1.0f);
    EXPECT_EQ((i * i).w, -1.0f);
    const Quaternion general = Quaternion{1, 2, 3, 4} * Quaternion{5, 6, 7, 8};
    EXPECT_EQ(general.w, -60.0f);
    EXPECT_EQ(general.x, 12.0f);
    EXPECT_EQ(general.y, 30.0f);
    EXPECT_EQ(general.z, 24.0f);

    // +90 degrees about Z: row-major R has row 0 = (0, -1, 0) and row 1 = (1, 0, 0).
    const float h = std::sqrt(0.5f);
    const Matrix4 r = ToMatrix(Quaternion{h, 0, 0, h});
    EXPECT_NEAR(r.at(0, 1), -1.0f, 1e-6f);
    EXPECT_NEAR(r.at(1, 0), 1.0f, 1e-6f);
    EXPECT_NEAR(r.at(2, 2), 1.0f, 1e-6f);
    for (int index : {3, 7, 11, 12, 13, 14})
        EXPECT_EQ(r.m[index], 0.0f);
    EXPECT_EQ(r.m[15], 1.0f);
}

TEST(Toolkit, MatrixProductPutsTheObjectOnTheLeft) {
    Matrix4 b;
    Matrix4 c;
    for (int i = 0; i < 16; ++i) {
        b.m[i] = static_cast<float>(i);
        c.m[i] = static_cast<float>(i % 5) - 2.0f;
    }
    const Matrix4 p = b * c;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            float expected = 0.0f;
            for (int k = 0; k < 4; ++k)
                expected += b.m[4 * row + k] * c.m[4 * k + column];
            EXPECT_EQ(p.at(row, column), expected);
        }
    }
    const Matrix4 identity = IdentityMatrix();
    const Matrix4 same = b * identity;
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(same.m[i], b.m[i]);
}
