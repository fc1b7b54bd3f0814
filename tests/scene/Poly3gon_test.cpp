#include "scene/Poly3gon.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <utility>

TEST(Poly3gon, SizedMeshIsZeroedAndEmptyCountsAllocateNothing) {
    Poly3gon mesh(4, 2);
    EXPECT_EQ(mesh.vertexCount, 4u);
    EXPECT_EQ(mesh.facetCount, 2u);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(mesh.vertices[i], 0.0f);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(mesh.facets[i], 0);

    Poly3gon noFacets(3, 0);
    EXPECT_NE(noFacets.vertices, nullptr);
    EXPECT_EQ(noFacets.facets, nullptr);
    Poly3gon empty;
    EXPECT_EQ(empty.vertices, nullptr);
    EXPECT_EQ(empty.facets, nullptr);
    EXPECT_EQ(empty.vertexCount + empty.facetCount, 0u);
}

TEST(Poly3gon, AssignmentCopiesDeeplyAndMoveTakesTheArrays) {
    Poly3gon source(2, 1);
    source.vertices[5] = 3.5f;
    source.facets[2] = 1;

    Poly3gon copy(7, 7);
    copy = source;
    EXPECT_EQ(copy.vertexCount, 2u);
    EXPECT_EQ(copy.facetCount, 1u);
    EXPECT_NE(copy.vertices, source.vertices);
    EXPECT_EQ(copy.vertices[5], 3.5f);
    EXPECT_EQ(copy.facets[2], 1);
    source.vertices[5] = -1.0f;
    EXPECT_EQ(copy.vertices[5], 3.5f);

    const Poly3gon& alias = copy;
    copy = alias;  // self-assignment keeps the data
    EXPECT_EQ(copy.vertices[5], 3.5f);

    Poly3gon constructed(source);
    EXPECT_EQ(constructed.vertices[5], -1.0f);

    float* vertices = source.vertices;
    Poly3gon moved(std::move(source));
    EXPECT_EQ(moved.vertices, vertices);
    EXPECT_EQ(source.vertices, nullptr);
    EXPECT_EQ(source.vertexCount, 0u);

    copy = std::move(moved);
    EXPECT_EQ(copy.vertices, vertices);
    EXPECT_EQ(copy.vertexCount, 2u);
}

TEST(Poly3gon, ImpossibleSizesThrowBadAllocWithoutLeaking) {
    EXPECT_THROW(Poly3gon(UINT64_MAX / 2, 1), std::bad_alloc);
    EXPECT_THROW(Poly3gon(1, UINT64_MAX / 4), std::bad_alloc);  // vertices freed again

    Poly3gon kept(1, 1);
    kept.vertices[0] = 2.0f;
    Poly3gon huge;
    huge.vertexCount = UINT64_MAX / 2;  // a corrupt count must not overwrite a good mesh on copy
    EXPECT_THROW(kept = huge, std::bad_alloc);
    huge.vertexCount = 0;
    EXPECT_EQ(kept.vertexCount, 1u);
    EXPECT_EQ(kept.vertices[0], 2.0f);
}
