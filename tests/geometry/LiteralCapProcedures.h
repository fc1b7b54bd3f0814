#pragma once
// Literal implementations of the cap procedures on the intrusive lists, step by step as described,
// without any faster search. They are the oracles the production code is checked against.

#include <cmath>
#include <cstdint>
#include <vector>

#include "geometry/CapGeometry.h"
#include "scene/KestList.h"

namespace literal {

inline Item2i* Seg(KestItem* item) {
    return static_cast<Item2i*>(item);
}
inline List2i* Lst(KestItem* item) {
    return static_cast<List2i*>(item);
}

// Appends `item` at the end of `list` (cursor to the last element, then InsertAfterCursor).
inline void Append(KestList& list, KestItem* item) {
    list.cursor = list.last;
    list.InsertAfterCursor(item);
}

inline void ToList(const std::vector<Segment>& segments, List2i& list) {
    for (const Segment& s : segments)
        Append(list, new Item2i(s.from, s.to));
}

inline std::vector<Contour> ToContours(const List2i& contours) {
    std::vector<Contour> out;
    for (KestItem* c = contours.first; c != nullptr; c = c->next) {
        Contour contour;
        contour.key = c->key;
        for (KestItem* s = Lst(c)->first; s != nullptr; s = s->next)
            contour.segments.push_back({Seg(s)->i0, Seg(s)->i1});
        out.push_back(contour);
    }
    return out;
}

inline void ToContourList(const std::vector<Contour>& contours, List2i& list) {
    for (const Contour& c : contours) {
        auto* contour = new List2i;
        contour->key = c.key;
        ToList(c.segments, *contour);
        Append(list, contour);
    }
}

// Contour assembly. E's cursor must stand on its last segment.
inline void AssembleContours(List2i& e, List2i& contours) {
    List2i chains;
    while (e.count > 0) {
        Item2i* s = Seg(e.UnlinkCursorItem());
        int64_t f = s->i0, t = s->i1;
        List2i* a = nullptr;
        for (KestItem* c = chains.first; c != nullptr; c = c->next) {
            Lst(c)->cursor = Lst(c)->first;
            if (Seg(Lst(c)->first)->i0 == t) {
                a = Lst(c);
                break;
            }
        }
        List2i* b = nullptr;
        for (KestItem* c = chains.first; c != nullptr; c = c->next) {
            Lst(c)->cursor = Lst(c)->last;
            if (Seg(Lst(c)->last)->i1 == f) {
                b = Lst(c);
                break;
            }
        }
        if (b != nullptr) {
            b->cursor = b->last;
            b->InsertAfterCursor(s);
            if (a != nullptr && Seg(b->first)->i0 == t) {
                chains.cursor = b;
                contours.cursor = contours.last;
                chains.MoveCursorItemAfter(contours);
                continue;
            }
            if (a != nullptr) {
                a->MoveAllToFront(e);
                chains.cursor = a;
                chains.DeleteCursorItem();
            }
            if (b->count >= 3) {
                int64_t n = 2;  // the walked segment and the last one
                for (KestItem* x = b->last->prev; x != b->first; x = x->prev, ++n) {
                    if (Seg(x)->i0 == t) {
                        auto* contour = new List2i;
                        b->MoveLastN(n, *contour);
                        Append(contours, contour);
                        break;
                    }
                }
            }
        } else if (a != nullptr) {
            a->cursor = a->first;
            a->InsertBeforeCursor(s);
            if (a->count >= 3) {
                int64_t n = 2;  // the first segment and the walked one
                for (KestItem* x = a->first->next; x != a->last; x = x->next, ++n) {
                    if (Seg(x)->i1 == f) {
                        auto* contour = new List2i;
                        a->MoveFirstN(n, *contour);
                        Append(contours, contour);
                        break;
                    }
                }
            }
        } else {
            auto* chain = new List2i;
            chain->InsertAfterCursor(s);
            Append(chains, chain);
        }
    }
}

inline int64_t RoundKey(float scaled) {
    if (std::isnan(scaled)) return 0;
    double r = std::round(static_cast<double>(scaled));
    const double limit = 4611686018427387904.0;
    if (r >= limit) return INT64_C(1) << 62;
    if (r <= -limit) return -(INT64_C(1) << 62);
    return static_cast<int64_t>(r);
}

// Classification, visiting from the contour list's cursor forward, then backward.
// Returns how many contours of 3 or more segments were dropped for a zero key.
inline int ClassifyContours(List2i& contours, const std::vector<Point2>& points, List2i& outers,
                            List2i& holes) {
    int dropped = 0;
    std::vector<KestItem*> order;
    for (KestItem* c = contours.cursor; c != nullptr; c = c->next)
        order.push_back(c);
    for (KestItem* c = contours.cursor != nullptr ? contours.cursor->prev : nullptr; c != nullptr;
         c = c->prev)
        order.push_back(c);
    for (KestItem* c : order) {
        contours.cursor = c;
        List2i* contour = Lst(contours.UnlinkCursorItem());
        if (contour->count < 3) {
            delete contour;
            continue;
        }
        float a2 = 0.0f;
        for (KestItem* s = contour->first; s != nullptr; s = s->next) {
            Point2 from = points[Seg(s)->i0], to = points[Seg(s)->i1];
            float term = from.u * to.v - from.v * to.u;
            a2 += term;
        }
        contour->key = RoundKey(a2 * 256.0f);
        if (contour->key == 0) {
            delete contour;
            ++dropped;
        } else {
            Append(contour->key > 0 ? outers : holes, contour);
        }
    }
    return dropped;
}

inline double PointToContour(Point2 p, List2i& contour, const std::vector<Point2>& points) {
    double best = 0;
    KestItem* nearest = nullptr;
    bool vertex = true;
    for (KestItem* s = contour.first; s != nullptr; s = s->next) {
        Point2 from = points[Seg(s)->i0], to = points[Seg(s)->i1];
        float du = p.u - from.u, dv = p.v - from.v;
        float d = du * du + dv * dv;
        if (s == contour.first || std::fabs(best) > d) {
            best = d;
            nearest = s;
            vertex = true;
        }
        double ex = static_cast<double>(to.u) - from.u, ey = static_cast<double>(to.v) - from.v;
        double rx = static_cast<double>(p.u) - from.u, ry = static_cast<double>(p.v) - from.v;
        double along = ex * rx + ey * ry, length2 = ex * ex + ey * ey;
        if (along >= 0 && length2 >= 2.220446049250313e-16 && along <= length2) {
            double x = ey * rx - ry * ex;
            double t = x * std::fabs(x) / length2;
            if (std::fabs(best) > std::fabs(t)) {
                best = t;
                nearest = s;
                vertex = false;
            }
        }
    }
    if (vertex) {
        KestItem* before = nearest->prev != nullptr ? nearest->prev : contour.last;
        Point2 v = points[Seg(nearest)->i0], pp = points[Seg(before)->i0], n = points[Seg(nearest)->i1];
        double turn = (static_cast<double>(v.u) - pp.u) * (static_cast<double>(n.v) - v.v) -
                      (static_cast<double>(v.v) - pp.v) * (static_cast<double>(n.u) - v.u);
        if (turn < 0) return -best;
    }
    return best;
}

// Rotates `list` cyclically so that it begins with `item`.
inline void RotateTo(List2i& list, KestItem* item) {
    int64_t k = 0;
    for (KestItem* x = list.first; x != item; x = x->next)
        ++k;
    List2i front;
    list.MoveFirstN(k, front);
    front.MoveAllToBack(list);
}

inline void BridgeHoles(List2i& outers, List2i& holes, const std::vector<Point2>& points) {
    outers.SortByKey();
    KestItem* h = holes.first;
    while (h != nullptr) {
        KestItem* nextHole = h->next;
        List2i* hole = Lst(h);
        Point2 test = points[Seg(hole->last)->i0];
        List2i* outer = nullptr;
        for (KestItem* o = outers.first; o != nullptr; o = o->next) {
            if (o->key + hole->key > 0 && PointToContour(test, *Lst(o), points) <= 0) {
                outer = Lst(o);
                break;
            }
        }
        if (outer != nullptr) {
            float best = 1e30f;
            KestItem* bestOuter = outer->first;
            KestItem* bestHole = hole->first;
            for (KestItem* x = outer->first; x != nullptr; x = x->next) {
                for (KestItem* y = hole->first; y != nullptr; y = y->next) {
                    Point2 a = points[Seg(x)->i0], b = points[Seg(y)->i0];
                    float du = a.u - b.u, dv = a.v - b.v;
                    float d = du * du + dv * dv;
                    if (d < best) {
                        best = d;
                        bestOuter = x;
                        bestHole = y;
                    }
                }
            }
            RotateTo(*outer, bestOuter);
            RotateTo(*hole, bestHole);
            int64_t o = Seg(outer->first)->i0, hv = Seg(hole->first)->i0;
            if (o != hv) {
                outer->cursor = outer->first;
                outer->InsertBeforeCursor(new Item2i(hv, o));
                hole->cursor = hole->first;
                hole->InsertBeforeCursor(new Item2i(o, hv));
            }
            hole->MoveAllToBack(*outer);
            holes.cursor = hole;
            holes.DeleteCursorItem();
        }
        h = nextHole;
    }
}

struct P2 {
    double x, y;
};

inline P2 At(const List1i& ring, KestItem* item, const std::vector<Point2>& points) {
    (void)ring;
    Point2 p = points[static_cast<Item1i*>(item)->i0];
    return {p.u, p.v};
}

// The ear test: W for the ring clipped to triangle abc (kept side s < 0). With `keepSides` (the
// sound rule) s within rounding of 0 counts as 0 and an edge lying on a clip line stays when it runs
// the way the triangle's side does; without it everything on the lines is removed, as the bare rule
// reads (rejecting every true ear).
inline double EarTest(const List1i& ring, P2 a, P2 b, P2 c, const std::vector<Point2>& points,
                      bool keepSides = true) {
    ZOList polygon;
    KestItem* previous = ring.last;
    for (KestItem* x = ring.first; x != nullptr; x = x->next) {
        P2 from = At(ring, previous, points), to = At(ring, x, points);
        Append(polygon, new Otrezok(from.x, from.y, to.x, to.y));
        previous = x;
    }
    P2 q[3] = {a, b, c};
    P2 e[3] = {{a.x - b.x, a.y - b.y}, {b.x - c.x, b.y - c.y}, {c.x - a.x, c.y - a.y}};
    for (int line = 0; line < 3; ++line) {
        for (KestItem* x = polygon.first; x != nullptr;) {
            KestItem* next = x->next;
            auto* s = static_cast<Otrezok*>(x);
            double s0 =
                (s->y1 * e[line].x - e[line].y * s->x1) + (e[line].y * q[line].x - q[line].y * e[line].x);
            double s1 =
                (s->y2 * e[line].x - e[line].y * s->x2) + (e[line].y * q[line].x - q[line].y * e[line].x);
            if (keepSides) {  // values within rounding of 0 are 0
                double scale = 9.094947017729282e-13 * (std::fabs(e[line].x) + std::fabs(e[line].y));
                double around = std::fabs(q[line].x) + std::fabs(q[line].y);
                if (std::fabs(s0) <= scale * (std::fabs(s->x1) + std::fabs(s->y1) + around)) s0 = 0;
                if (std::fabs(s1) <= scale * (std::fabs(s->x2) + std::fabs(s->y2) + around)) s1 = 0;
            }
            bool tiny = std::fabs(s0 - s1) < 2.220446049250313e-16;
            bool remove = false;
            if (keepSides && s0 == 0 && s1 == 0) {  // on the line: kept when running like the triangle's side
                remove = !((s->x2 - s->x1) * e[line].x + (s->y2 - s->y1) * e[line].y < 0);
            } else if (s0 >= 0 && s1 >= 0) {
                remove = true;
            } else if (s0 < 0 && s1 >= 0) {
                if (tiny) {
                    remove = true;
                } else {
                    double dx = s->x2 - s->x1, dy = s->y2 - s->y1;
                    s->x2 += dx * s1 / (s0 - s1);
                    s->y2 += dy * s1 / (s0 - s1);
                }
            } else if (s0 >= 0 && s1 < 0 && !tiny) {
                double dx = s->x2 - s->x1, dy = s->y2 - s->y1;
                s->x1 += dx * s0 / (s0 - s1);
                s->y1 += dy * s0 / (s0 - s1);
            }
            if (remove) {
                polygon.cursor = x;
                polygon.DeleteCursorItem();
            }
            x = next;
        }
    }
    // Close the gaps against each remaining segment's predecessor (the last for the first).
    std::vector<Otrezok*> remaining;
    for (KestItem* x = polygon.first; x != nullptr; x = x->next)
        remaining.push_back(static_cast<Otrezok*>(x));
    for (size_t k = 0; k < remaining.size(); ++k) {
        Otrezok* s = remaining[k];
        Otrezok* before = remaining[k == 0 ? remaining.size() - 1 : k - 1];
        if (s->x1 != before->x2 || s->y1 != before->y2) {
            polygon.cursor = s;
            polygon.InsertBeforeCursor(new Otrezok(before->x2, before->y2, s->x1, s->y1));
        }
    }
    double w = 0;
    for (KestItem* x = polygon.first; x != nullptr; x = x->next) {
        auto* s = static_cast<Otrezok*>(x);
        w += s->x1 * s->y2 - s->y1 * s->x2;
    }
    return w;
}

// Ear clipping of one contour into `triangles`.
inline void TriangulateContour(List2i& contour, const std::vector<Point2>& points, List3i& triangles,
                               bool keepSides = true) {
    if (contour.count < 3) return;
    if (contour.count == 3) {
        KestItem* s = contour.first;
        Append(triangles, new Item3i(Seg(s)->i0, Seg(s->next)->i0, Seg(s->next->next)->i0));
        return;
    }
    List1i ring;
    for (KestItem* s = contour.first; s != nullptr; s = s->next)
        Append(ring, new Item1i(Seg(s)->i0));
    auto prevOf = [&](KestItem* x) { return x->prev != nullptr ? x->prev : ring.last; };
    auto nextOf = [&](KestItem* x) { return x->next != nullptr ? x->next : ring.first; };
    auto index = [](KestItem* x) { return static_cast<Item1i*>(x)->i0; };
    ring.cursor = ring.last;
    while (ring.count > 3) {
        KestItem* tip = ring.cursor;
        KestItem* ear = nullptr;
        double earDiagonal = 0;
        for (int64_t k = 0, n = ring.count; k < n; ++k) {
            P2 a = At(ring, prevOf(tip), points), b = At(ring, tip, points),
               c = At(ring, nextOf(tip), points);
            double x = (b.y - c.y) * (a.x - b.x) - (b.x - c.x) * (a.y - b.y);
            if (x > 0) {
                double w = EarTest(ring, a, b, c, points, keepSides);
                if (!(x > 1.000001 * std::fabs(w))) {
                    double diagonal = (c.x - a.x) * (c.x - a.x) + (c.y - a.y) * (c.y - a.y);
                    if (ear == nullptr) {
                        ear = tip;
                        earDiagonal = diagonal;
                    } else {
                        if (diagonal < earDiagonal) ear = tip;
                        break;
                    }
                }
            }
            tip = nextOf(tip);
        }
        if (ear == nullptr) {
            float best = 0;
            for (KestItem* t = ring.first; t != nullptr; t = t->next) {
                Point2 a = points[index(prevOf(t))], c = points[index(nextOf(t))];
                float du = c.u - a.u, dv = c.v - a.v;
                float d = du * du + dv * dv;
                if (t == ring.first || d < best) {
                    best = d;
                    ear = t;
                }
            }
        }
        Append(triangles, new Item3i(index(prevOf(ear)), index(ear), index(nextOf(ear))));
        ring.cursor = ear;
        ring.DeleteCursorItem();  // the cursor moves to the follower, or back to A at the end
    }
    KestItem* f = ring.first;
    Append(triangles, new Item3i(index(f), index(f->next), index(f->next->next)));
}

inline std::vector<Triangle> ToTriangles(const List3i& list) {
    std::vector<Triangle> out;
    for (KestItem* x = list.first; x != nullptr; x = x->next) {
        auto* t = static_cast<Item3i*>(x);
        out.push_back({t->i0, t->i1, t->i2});
    }
    return out;
}

// The whole chain from segments to cap triangles. Also returns the contours after each step.
struct CapRun {
    std::vector<Contour> contours;
    std::vector<Contour> outers;  // after bridging
    std::vector<Contour> holes;   // left unbridged
    std::vector<Triangle> triangles;
    int dropped = 0;  // contours of 3 or more segments with a zero key
};

inline CapRun MakeCap(const std::vector<Segment>& segments, const std::vector<Point2>& points,
                      bool keepSides = true) {
    CapRun run;
    List2i e;
    ToList(segments, e);
    List2i contours;
    AssembleContours(e, contours);
    run.contours = ToContours(contours);
    List2i outers, holes;
    run.dropped = ClassifyContours(contours, points, outers, holes);
    if (holes.count > 0) BridgeHoles(outers, holes, points);
    run.outers = ToContours(outers);
    run.holes = ToContours(holes);
    List3i triangles;
    for (KestItem* o = outers.first; o != nullptr; o = o->next)
        TriangulateContour(*Lst(o), points, triangles, keepSides);
    run.triangles = ToTriangles(triangles);
    return run;
}

}  // namespace literal
