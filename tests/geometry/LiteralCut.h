#pragma once
// The cut of a mesh and its caps by a plane, step by step as described, on the intrusive lists
// with the linear FindOrAppend: the oracle for CutMesh.

#include <cmath>
#include <cstdint>
#include <vector>

#include "LiteralCapProcedures.h"

namespace literal {

struct CutInput {
    std::vector<float> vertices;
    std::vector<int64_t> facets;
    std::vector<float> normals;  // empty: none
    std::vector<std::vector<int64_t>> caps;
};

struct CutOutput {
    std::vector<float> vertices;
    std::vector<int64_t> facets;
    std::vector<float> normals;
    std::vector<std::vector<int64_t>> caps;  // the existing caps after the cut
    std::vector<int64_t> newCap;             // empty: no cap
    CapRun run;
};

class LiteralCutter {
public:
    LiteralCutter(const CutInput& in, float a, float b, float c, float d) : in_(in) {
        float fa = std::fabs(a), fb = std::fabs(b), fc = std::fabs(c);
        axis_ = (fb > fc && fb > fa) ? 1 : (fb <= fc && fc > fa) ? 2 : 0;
        float dominant = axis_ == 0 ? fa : axis_ == 1 ? fb : fc;
        if (dominant != 0) a /= dominant, b /= dominant, c /= dominant, d /= dominant;
        a_ = a, b_ = b, c_ = c, d_ = d;
        size_t n = in.vertices.size() / 3;
        for (size_t i = 0; i < n; ++i) {
            const float* v = &in.vertices[i * 3];
            float di = (b * v[1] + a * v[0]) + c * v[2] + d;
            distance_.push_back(di);
            side_.push_back(di >= kEps ? 1 : di <= -kEps ? -1 : 0);
        }
    }

    CutOutput Run(float na, float nb, float nc) {
        CutOutput out;
        std::vector<uint8_t> keep(in_.facets.size() / 3);
        List3i t;
        for (size_t f = keep.size(); f-- > 0;)
            keep[f] = Classify(&in_.facets[f * 3], t);
        std::vector<std::vector<uint8_t>> capKeep;
        std::vector<List3i*> capNew;
        for (const auto& cap : in_.caps) {
            capKeep.emplace_back(cap.size() / 3);
            capNew.push_back(new List3i);
            for (size_t f = cap.size() / 3; f-- > 0;)
                capKeep.back()[f] = Classify(&cap[f * 3], *capNew.back());
        }
        // New numbering: kept vertices in order, then the new points.
        std::vector<int64_t> number(distance_.size(), -1);
        int64_t k = 0;
        for (size_t i = 0; i < distance_.size(); ++i)
            if (distance_[i] < kEps) number[i] = k++;
        for (size_t i = 0; i < distance_.size(); ++i)
            if (number[i] >= 0)
                out.vertices.insert(out.vertices.end(), &in_.vertices[i * 3], &in_.vertices[i * 3] + 3);
        int64_t position = k;
        for (KestItem* x = p_.first; x != nullptr; x = x->next) {
            auto* point = static_cast<Item3f*>(x);
            point->key = position++;
            out.vertices.insert(out.vertices.end(), {point->x, point->y, point->z});
        }
        if (!in_.normals.empty()) {
            for (size_t i = 0; i < distance_.size(); ++i)
                if (number[i] >= 0)
                    out.normals.insert(out.normals.end(), &in_.normals[i * 3], &in_.normals[i * 3] + 3);
            out.normals.resize(out.vertices.size(), 0.0f);
        }
        auto resolve = [&](int64_t r) { return r >= 0 ? number[r] : (k - 1) - r; };
        // The cap from the segments.
        std::vector<Segment> segments;
        for (KestItem* x = e_.first; x != nullptr; x = x->next)
            segments.push_back({resolve(Seg(x)->i0), resolve(Seg(x)->i1)});
        std::vector<Point2> points;
        for (size_t i = 0; i < out.vertices.size(); i += 3)
            points.push_back(Project(&out.vertices[i], na, nb, nc));
        out.run = MakeCap(segments, points);
        out.facets = Rebuild(in_.facets, keep, t, resolve, number);
        for (size_t c = 0; c < in_.caps.size(); ++c) {
            out.caps.push_back(Rebuild(in_.caps[c], capKeep[c], *capNew[c], resolve, number));
            delete capNew[c];
        }
        for (const Triangle& tri : out.run.triangles) {
            int64_t r[3] = {tri.a, tri.b, tri.c};
            SmallerFirst(r);
            out.newCap.insert(out.newCap.end(), r, r + 3);
        }
        return out;
    }

private:
    static constexpr float kEps = 1.1920928955078125e-7f;

    static Point2 Project(const float* v, float a, float b, float c) {
        float x = v[0], y = v[1], z = v[2];
        if (std::fabs(a) >= std::fabs(b) && std::fabs(a) >= std::fabs(c))
            return a >= 0 ? Point2{y, z} : Point2{z, y};
        if (std::fabs(b) >= std::fabs(c)) return b >= 0 ? Point2{z, x} : Point2{x, z};
        return c >= 0 ? Point2{x, y} : Point2{y, x};
    }

    static void LargerFirst(int64_t* t) {
        int64_t a = t[0], b = t[1], c = t[2];
        if (a > b) return;
        if (b > c)
            t[0] = b, t[1] = c, t[2] = a;
        else
            t[0] = c, t[1] = a, t[2] = b;
    }
    static void SmallerFirst(int64_t* t) {
        int64_t a = t[0], b = t[1], c = t[2];
        if (a < b) return;
        if (b < c)
            t[0] = b, t[1] = c, t[2] = a;
        else
            t[0] = c, t[1] = a, t[2] = b;
    }

    template <typename Resolve>
    static std::vector<int64_t> Rebuild(const std::vector<int64_t>& old, const std::vector<uint8_t>& keep,
                                        const List3i& t, Resolve resolve,
                                        const std::vector<int64_t>& number) {
        std::vector<int64_t> out;
        for (size_t f = keep.size(); f-- > 0;)
            if (keep[f])
                out.insert(out.end(), {number[old[f * 3]], number[old[f * 3 + 1]], number[old[f * 3 + 2]]});
        for (KestItem* x = t.first; x != nullptr; x = x->next) {
            auto* tri = static_cast<Item3i*>(x);
            int64_t r[3] = {resolve(tri->i0), resolve(tri->i1), resolve(tri->i2)};
            if (tri->key == 0)
                LargerFirst(r);
            else
                SmallerFirst(r);
            out.insert(out.end(), r, r + 3);
        }
        return out;
    }

    int64_t Intersection(int64_t i, int64_t j) {
        float di = distance_[i], dj = distance_[j];
        float wi = 0, wj = 0;
        if (std::fabs(di - dj) >= kEps) {
            wi = dj / (dj - di);
            wj = di / (di - dj);
        }
        const float* pi = &in_.vertices[i * 3];
        const float* pj = &in_.vertices[j * 3];
        float x = wi * pi[0] + wj * pj[0], y = wi * pi[1] + wj * pj[1], z = wi * pi[2] + wj * pj[2];
        if (axis_ == 0) {
            x = (c_ * z + b_ * y) + d_;
            if (a_ == 1) x = -x;
        } else if (axis_ == 1) {
            y = (c_ * z + a_ * x) + d_;
            if (b_ == 1) y = -y;
        } else {
            z = (b_ * y + a_ * x) + d_;
            if (c_ == 1) z = -z;
        }
        last_[0] = x, last_[1] = y, last_[2] = z;
        return p_.FindOrAppend(x, y, z);
    }

    bool Classify(const int64_t* v, List3i& t) {
        int s0 = side_[v[0]], s1 = side_[v[1]], s2 = side_[v[2]];
        if (s0 != 1 && s1 != 1 && s2 != 1) return true;
        int64_t key = v[0] < v[1] ? 1 : 0;
        auto add = [&](int64_t x, int64_t y, int64_t z) {
            auto* tri = new Item3i(x, y, z);
            tri->key = key;
            Append(t, tri);
        };
        auto segment = [&](int64_t from, int64_t to) { Append(e_, new Item2i(from, to)); };
        int negatives = (s0 == -1) + (s1 == -1) + (s2 == -1);
        if (negatives == 2) {
            int64_t a, b, c;
            if (s0 == -1 && s1 == -1)
                a = v[0], b = v[1], c = v[2];
            else if (s2 == -1 && s0 == -1)
                a = v[2], b = v[0], c = v[1];
            else
                a = v[1], b = v[2], c = v[0];
            int64_t p = Intersection(c, a);
            float pp[3] = {last_[0], last_[1], last_[2]};
            int64_t q = Intersection(c, b);
            float qq[3] = {last_[0], last_[1], last_[2]};
            const float* pb = &in_.vertices[b * 3];
            const float* pa = &in_.vertices[a * 3];
            float bx = pb[0] - pp[0], by = pb[1] - pp[1], bz = pb[2] - pp[2];
            float ax = pa[0] - qq[0], ay = pa[1] - qq[1], az = pa[2] - qq[2];
            if ((bx * bx + by * by) + bz * bz > (ax * ax + ay * ay) + az * az) {
                add(a, b, q);
                add(a, q, p);
            } else {
                add(a, b, p);
                add(b, q, p);
            }
            if (p != q) segment(p, q);
        } else if (negatives == 1) {
            int64_t a, b, c;
            if (s0 == -1)
                a = v[0], b = v[1], c = v[2];
            else if (s1 == -1)
                a = v[1], b = v[2], c = v[0];
            else
                a = v[2], b = v[0], c = v[1];
            int64_t b2 = std::fabs(distance_[b]) < kEps ? b : Intersection(a, b);
            int64_t c2 = std::fabs(distance_[c]) < kEps ? c : Intersection(a, c);
            add(a, b2, c2);
            if (b2 != c2) segment(c2, b2);
        } else {
            if (s0 == 0 && s1 == 0 && s2 == 1)
                segment(v[0], v[1]);
            else if (s1 == 0 && s2 == 0 && s0 == 1)
                segment(v[1], v[2]);
            else if (s2 == 0 && s0 == 0 && s1 == 1)
                segment(v[2], v[0]);
        }
        return false;
    }

    const CutInput& in_;
    int axis_;
    float a_, b_, c_, d_;
    std::vector<float> distance_;
    std::vector<int> side_;
    List3f p_;
    List2i e_;
    float last_[3] = {0, 0, 0};
};

inline CutOutput CutMesh(const CutInput& in, float a, float b, float c, float d) {
    return LiteralCutter(in, a, b, c, d).Run(a, b, c);
}

}  // namespace literal
