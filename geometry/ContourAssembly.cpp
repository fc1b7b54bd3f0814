// Contour assembly replays the chain-matching procedure step by step: the list of unplaced segments
// (with its cursor), the open chains in creation order and the contour list behave exactly as the
// intrusive lists of that procedure. Only the searches differ: instead of walking all chains, the
// segments that start or end at a vertex are looked up in sorted tables, and each segment knows its
// chain and its position in it.
#include "geometry/ContourAssembly.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

constexpr int64_t kNone = -1;

// Chains that meet go back to the list whole, so a segment can be placed more than once. On cuts of
// closed models that stays a few placements per segment, but on a cut of a tangled model (the same
// edge in several facets) merging and returning can cycle for ever. Past this budget, far above any
// cut that ends by itself, assembly stops as it does at the end: the open chains are dropped.
constexpr int64_t kPlacementsPerSegment = 64;
constexpr int64_t kExtraPlacements = 1024;

struct Chain {
    int64_t first;
    int64_t last;
    int64_t firstPosition;  // positions grow from first to last; only differences matter
    int64_t lastPosition;
};

// Segments keyed by one end vertex, so that all segments starting (or ending) at a vertex form one run.
struct VertexTable {
    std::vector<std::pair<int64_t, int64_t>> entries;  // (vertex, segment), sorted

    // The run of segments whose keyed end is `vertex`.
    std::pair<const std::pair<int64_t, int64_t>*, const std::pair<int64_t, int64_t>*> Run(
        int64_t vertex) const {
        auto range =
            std::equal_range(entries.begin(), entries.end(), std::pair<int64_t, int64_t>{vertex, INT64_MIN},
                             [](const auto& a, const auto& b) { return a.first < b.first; });
        return {entries.data() + (range.first - entries.begin()),
                entries.data() + (range.second - entries.begin())};
    }
};

class Assembler {
public:
    explicit Assembler(const std::vector<Segment>& segments)
        : segments_(segments),
          next_(segments.size(), kNone),
          prev_(segments.size(), kNone),
          chainOf_(segments.size(), kNone),
          position_(segments.size(), 0) {
        int64_t n = static_cast<int64_t>(segments.size());
        starts_.entries.reserve(segments.size());
        ends_.entries.reserve(segments.size());
        for (int64_t s = 0; s < n; ++s) {
            starts_.entries.emplace_back(segments[s].from, s);
            ends_.entries.emplace_back(segments[s].to, s);
            prev_[s] = s - 1;
            next_[s] = s + 1 < n ? s + 1 : kNone;
        }
        std::sort(starts_.entries.begin(), starts_.entries.end());
        std::sort(ends_.entries.begin(), ends_.entries.end());
        if (n > 0) {
            listFirst_ = 0;
            listLast_ = n - 1;
            listCursor_ = n - 1;
            listCount_ = n;
        }
    }

    std::vector<Contour> Run() {
        int64_t budget = kPlacementsPerSegment * static_cast<int64_t>(segments_.size()) + kExtraPlacements;
        while (listCount_ > 0 && budget-- > 0) {
            int64_t s = UnlinkCursorSegment();
            int64_t from = segments_[s].from;
            int64_t to = segments_[s].to;
            int64_t a = FirstChainStartingAt(to);
            int64_t b = FirstChainEndingAt(from);
            if (b != kNone) {
                Append(b, s);
                if (a != kNone && segments_[chains_[b].first].from == to) {
                    CloseChain(b);
                    continue;
                }
                if (a != kNone) ReturnChainToList(a, a < b);
                SplitLoopAtEnd(b, to);
            } else if (a != kNone) {
                Prepend(a, s);
                SplitLoopAtFront(a, from);
            } else {
                chains_.push_back({s, s, 0, 0});
                chainOf_[s] = static_cast<int64_t>(chains_.size()) - 1;
                position_[s] = 0;
            }
        }
        return std::move(contours_);
    }

private:
    // Unplaced-segment list: unlinks the cursor segment; the cursor moves on, or back at the end.
    int64_t UnlinkCursorSegment() {
        int64_t s = listCursor_;
        if (prev_[s] != kNone)
            next_[prev_[s]] = next_[s];
        else
            listFirst_ = next_[s];
        if (next_[s] != kNone)
            prev_[next_[s]] = prev_[s];
        else
            listLast_ = prev_[s];
        listCursor_ = next_[s] != kNone ? next_[s] : prev_[s];
        --listCount_;
        prev_[s] = next_[s] = kNone;
        return s;
    }

    // First chain in chain order whose first segment starts at `vertex`.
    int64_t FirstChainStartingAt(int64_t vertex) const {
        int64_t best = kNone;
        auto [begin, end] = starts_.Run(vertex);
        for (auto* entry = begin; entry != end; ++entry) {
            int64_t chain = chainOf_[entry->second];
            if (chain != kNone && chains_[chain].first == entry->second && (best == kNone || chain < best))
                best = chain;
        }
        return best;
    }

    // First chain in chain order whose last segment ends at `vertex`.
    int64_t FirstChainEndingAt(int64_t vertex) const {
        int64_t best = kNone;
        auto [begin, end] = ends_.Run(vertex);
        for (auto* entry = begin; entry != end; ++entry) {
            int64_t chain = chainOf_[entry->second];
            if (chain != kNone && chains_[chain].last == entry->second && (best == kNone || chain < best))
                best = chain;
        }
        return best;
    }

    void Append(int64_t chain, int64_t s) {
        Chain& c = chains_[chain];
        next_[c.last] = s;
        prev_[s] = c.last;
        c.last = s;
        chainOf_[s] = chain;
        position_[s] = ++c.lastPosition;
    }

    void Prepend(int64_t chain, int64_t s) {
        Chain& c = chains_[chain];
        prev_[c.first] = s;
        next_[s] = c.first;
        c.first = s;
        chainOf_[s] = chain;
        position_[s] = --c.firstPosition;
    }

    // Moves the run first..last of a chain into a new contour at the end of the contour list.
    void EmitContour(int64_t first, int64_t last) {
        Contour contour;
        for (int64_t s = first;; s = next_[s]) {
            contour.segments.push_back(segments_[s]);
            chainOf_[s] = kNone;
            if (s == last) break;
        }
        contours_.push_back(std::move(contour));
    }

    void CloseChain(int64_t chain) {
        EmitContour(chains_[chain].first, chains_[chain].last);
        chains_[chain].first = chains_[chain].last = kNone;
    }

    // Puts the chain's segments, in order, in front of the unplaced list and drops the chain. An empty
    // list takes the chain's cursor, which the searches left on its last segment when the chain
    // precedes the one it meets, and on its first segment otherwise.
    void ReturnChainToList(int64_t chain, bool cursorOnLast) {
        Chain& c = chains_[chain];
        int64_t count = 0;
        for (int64_t s = c.first; s != kNone; s = next_[s]) {
            chainOf_[s] = kNone;
            ++count;
        }
        next_[c.last] = listFirst_;
        if (listFirst_ != kNone)
            prev_[listFirst_] = c.last;
        else
            listLast_ = c.last;
        if (listCount_ == 0) listCursor_ = cursorOnLast ? c.last : c.first;
        listFirst_ = c.first;
        listCount_ += count;
        c.first = c.last = kNone;
    }

    // After appending a segment ending at `vertex`: the segment nearest the end, other than the
    // first and the last, that starts at `vertex` closes a loop; it and all after it become a contour.
    void SplitLoopAtEnd(int64_t chain, int64_t vertex) {
        const Chain& c = chains_[chain];
        int64_t found = kNone;
        auto [begin, end] = starts_.Run(vertex);
        for (auto* entry = begin; entry != end; ++entry) {
            int64_t s = entry->second;
            if (chainOf_[s] != chain || s == c.first || s == c.last) continue;
            if (found == kNone || position_[s] > position_[found]) found = s;
        }
        if (found == kNone) return;
        int64_t newLast = prev_[found];
        int64_t oldLast = c.last;
        next_[newLast] = kNone;
        chains_[chain].last = newLast;
        chains_[chain].lastPosition = position_[newLast];
        EmitContour(found, oldLast);
    }

    // After prepending a segment starting at `vertex`: the segment nearest the front, other than the
    // first and the last, that ends at `vertex` closes a loop; the segments up to it become a contour.
    void SplitLoopAtFront(int64_t chain, int64_t vertex) {
        const Chain& c = chains_[chain];
        int64_t found = kNone;
        auto [begin, end] = ends_.Run(vertex);
        for (auto* entry = begin; entry != end; ++entry) {
            int64_t s = entry->second;
            if (chainOf_[s] != chain || s == c.first || s == c.last) continue;
            if (found == kNone || position_[s] < position_[found]) found = s;
        }
        if (found == kNone) return;
        int64_t newFirst = next_[found];
        int64_t oldFirst = c.first;
        prev_[newFirst] = kNone;
        next_[found] = kNone;
        chains_[chain].first = newFirst;
        chains_[chain].firstPosition = position_[newFirst];
        EmitContour(oldFirst, found);
    }

    const std::vector<Segment>& segments_;
    std::vector<int64_t> next_;  // links of the unplaced list and of the chains
    std::vector<int64_t> prev_;
    std::vector<int64_t> chainOf_;  // chain holding the segment, or kNone
    std::vector<int64_t> position_;
    VertexTable starts_;
    VertexTable ends_;
    std::vector<Chain> chains_;  // in creation order, which is chain-list order; dropped chains stay as holes
    std::vector<Contour> contours_;
    int64_t listFirst_ = kNone;
    int64_t listLast_ = kNone;
    int64_t listCursor_ = kNone;
    int64_t listCount_ = 0;
};

}  // namespace

std::vector<Contour> AssembleContours(const std::vector<Segment>& segments) {
    return Assembler(segments).Run();
}
