#pragma once
// Truncation and corruption sweeps shared by the reader tests: every prefix of a valid file and
// every value of chosen bytes, each parsed from a fresh buffer of its exact size so that the
// sanitizers catch a read past its end. Whatever a damaged file holds, the reader either returns a
// mesh that names only its own vertices or refuses with a reason and leaves the model empty.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "import/ByteSource.h"
#include "import/ParsedModel.h"

using ModelParser = ParseOutcome (*)(ByteSource& source, ParsedModel& model);

// Every length below `everyLengthUpTo` is swept; beyond it about a hundred lengths are sampled.
inline constexpr size_t kEveryPrefixUpTo = 4096;

inline ParseOutcome ParseFreshCopy(ModelParser parse, const std::vector<uint8_t>& bytes, ParsedModel& model) {
    const std::unique_ptr<uint8_t[]> copy(new uint8_t[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), copy.get());
    MemorySource source(copy.get(), bytes.size());
    return parse(source, model);
}

inline ::testing::AssertionResult ReadOrRefusedCleanly(const ParseOutcome& outcome,
                                                       const ParsedModel& model) {
    const Poly3gon& mesh = model.mesh;
    if (outcome.status != ParseStatus::kParsed) {
        if (outcome.problem.empty()) return ::testing::AssertionFailure() << "refused without a reason";
        if (mesh.vertices != nullptr || mesh.facets != nullptr || model.normals != nullptr ||
            mesh.vertexCount != 0 || mesh.facetCount != 0)
            return ::testing::AssertionFailure() << "refused (" << outcome.problem << ") but kept arrays";
        return ::testing::AssertionSuccess();
    }
    if ((mesh.vertexCount > 0 && mesh.vertices == nullptr) || (mesh.facetCount > 0 && mesh.facets == nullptr))
        return ::testing::AssertionFailure() << "parsed with missing arrays";
    for (uint64_t i = 0; i < mesh.facetCount * 3; ++i)
        if (mesh.facets[i] < 0 || static_cast<uint64_t>(mesh.facets[i]) >= mesh.vertexCount)
            return ::testing::AssertionFailure() << "facet index " << mesh.facets[i] << " names no vertex";
    return ::testing::AssertionSuccess();
}

// Every prefix of `valid` (sampled beyond kEveryPrefixUpTo) is read or refused cleanly; with
// `mustRefuse` every prefix shorter than the file is refused. The whole file must parse.
inline void SweepPrefixes(ModelParser parse, const std::vector<uint8_t>& valid, bool mustRefuse) {
    ParsedModel model;
    ASSERT_EQ(ParseFreshCopy(parse, valid, model).status, ParseStatus::kParsed);
    const size_t sampleStep = std::max<size_t>(1, valid.size() / 100);
    for (size_t length = 0; length < valid.size(); length += length < kEveryPrefixUpTo ? 1 : sampleStep) {
        const std::vector<uint8_t> prefix(valid.begin(), valid.begin() + length);
        const ParseOutcome outcome = ParseFreshCopy(parse, prefix, model);
        ASSERT_TRUE(ReadOrRefusedCleanly(outcome, model)) << "prefix of " << length << " bytes";
        if (mustRefuse) {
            ASSERT_NE(outcome.status, ParseStatus::kParsed) << "prefix of " << length << " bytes";
        }
    }
}

// Every one of the 255 other values of each byte in [first, end) is read or refused cleanly. The
// changed file is parsed where it lies: its buffer has the file's exact size, as a fresh copy would.
inline void SweepByteChanges(ModelParser parse, const std::vector<uint8_t>& valid, size_t first, size_t end) {
    ParsedModel model;
    std::vector<uint8_t> changed = valid;
    for (size_t at = first; at < end && at < valid.size(); ++at) {
        for (int value = 0; value < 256; ++value) {
            if (value == valid[at]) continue;
            changed[at] = static_cast<uint8_t>(value);
            MemorySource source(changed.data(), changed.size());
            const ParseOutcome outcome = parse(source, model);
            ASSERT_TRUE(ReadOrRefusedCleanly(outcome, model)) << "byte " << at << " set to " << value;
        }
        changed[at] = valid[at];
    }
}

// A file of `bytes` whose count fields promise more than it holds is refused by the size check,
// before the reader asks for memory (a refusal for want of memory would say so).
inline void ExpectRefusedBeforeAllocation(ModelParser parse, const std::vector<uint8_t>& bytes,
                                          const std::string& sizeProblem) {
    ParsedModel model;
    const ParseOutcome outcome = ParseFreshCopy(parse, bytes, model);
    EXPECT_EQ(outcome.status, ParseStatus::kRefused);
    EXPECT_EQ(outcome.problem, sizeProblem);
    EXPECT_TRUE(ReadOrRefusedCleanly(outcome, model));
}
