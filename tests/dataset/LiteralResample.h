#pragma once
// Resampling as first written down, kept as the oracle of the fast procedure: every source slice
// read again for every output plane, every pixel transformed for each.

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "dataset/DatasetSlices.h"
#include "dataset/ResampleDataset.h"
#include "dataset/SliceBuffer.h"
#include "dataset/WriteSlice.h"
#include "scene/SceneObject.h"

inline void LiteralResample(const SceneObject& O, const SceneObject& P, const ResampleOptions& options) {
    SliceBuffer buffer;
    if (ReadSlice(O.datasetPath, buffer) == SliceReadFailed) return;
    int found = 0, highest = 0, lowest = 1000000;
    for (const DatasetSlice& slice : ListDatasetSlices(O.datasetPath, O.postfixLength)) {
        ++found;
        highest = std::max(highest, slice.number);
        lowest = std::min(lowest, slice.number);
    }
    const int step = (highest - lowest) / std::max(1, found - 1);
    const int half = step / 2;
    const int n = options.count;
    const int sp = options.projection ? 1 : options.spacing;
    const int K = options.background;
    const int W = static_cast<int>((P.boxMax[0] - P.boxMin[0]) * P.scale);
    const int H = static_cast<int>((P.boxMax[2] - P.boxMin[2]) * P.scale);
    if (W < 1 || H < 1 || n < 1) return;
    const int stride = (W + 3) / 4 * 4;
    std::vector<uint8_t> A(static_cast<size_t>(stride) * H), B;
    const uint8_t bg = K != 0 ? 255 : 0, mk = 255 - bg;
    if (options.projection) {
        B.assign(A.size(), bg);
        std::fill(A.begin(), A.end(), mk);
    }
    const char* extension = options.jpeg ? "jpg" : "bmp";
    const float* p = P.rotation;
    const float* o = O.rotation;
    for (int k = 0; k < n; ++k) {
        const int offset = k * sp;
        if (!options.projection) std::fill(A.begin(), A.end(), bg);
        const float Y = (float(offset - ((n - 1) * sp) / 2) + P.position[1]) * P.scale;
        for (const DatasetSlice& slice : ListDatasetSlices(O.datasetPath, O.postfixLength)) {
            if (ReadSlice(slice.path, buffer) == SliceReadFailed) continue;
            const int s = slice.number, w0 = buffer.width, h0 = buffer.height;
            for (int r = 0; r < H; ++r) {
                const float Z = (P.position[2] + P.boxMax[2]) * P.scale - r;
                for (int c = 0; c < W; ++c) {
                    const float X = (P.position[0] + P.boxMin[0]) * P.scale + c;
                    const float a = p[0] * X + p[1] * Y + p[2] * Z;
                    const float b = p[3] * X + p[4] * Y + p[5] * Z;
                    const float e = p[6] * X + p[7] * Y + p[8] * Z;
                    float u = o[0] * a + o[3] * b + o[6] * e;
                    float v = o[1] * a + o[4] * b + o[7] * e;
                    float w = o[2] * a + o[5] * b + o[8] * e;
                    if (O.scale != 0) u /= O.scale, v /= O.scale, w /= O.scale;
                    u -= O.position[0] - O.centre[0];
                    v -= O.position[1] - O.centre[1];
                    w -= O.position[2] - O.centre[2];
                    w -= s;
                    if (!(-half - 1 <= w && w <= half + 1)) continue;
                    u += w0 / 2;
                    v += h0 / 2;
                    if (!(0 <= u && u < w0 && 0 <= v && v < h0)) continue;
                    const uint8_t value = buffer.pixels[buffer.stride * int(v) + int(u)];
                    uint8_t& out = A[static_cast<size_t>(r) * stride + c];
                    if (!options.projection) {
                        out = value;
                    } else {
                        out = K != 0 ? std::max(out, value) : std::min(out, value);
                        B[static_cast<size_t>(r) * stride + c] = mk;
                    }
                }
            }
        }
        char name[32];
        if (!options.projection) {
            std::snprintf(name, sizeof name, "%04d.%s", offset, extension);
            WriteSlice(buffer, options.prefix + name, A.data(), W, H, stride, options.jpeg,
                       options.jpegQuality);
        }
    }
    if (options.projection) {
        for (size_t i = 0; i < A.size(); ++i)
            A[i] = K != 0 ? std::max(A[i], B[i]) : std::min(A[i], B[i]);
        WriteSlice(buffer, options.prefix + "_mip." + extension, A.data(), W, H, stride, options.jpeg,
                   options.jpegQuality);
    }
}
