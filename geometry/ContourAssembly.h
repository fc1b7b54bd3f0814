#pragma once
// Assembly of the cut segments into closed contours.

#include <vector>

#include "geometry/CapGeometry.h"

// Joins the directed segments of a cut (in the order the facet classification made them) into
// closed contours, matching segment ends by vertex index. The result, contours and the segments
// within each, is exactly that of the chain-matching procedure: segments are taken from the back
// of the list, each is appended to the first open chain ending at its start or put in front of the
// first chain starting at its end, chains that meet are merged by returning one to the list, a chain
// that closes on itself (whole or a loop inside it) becomes a contour, and open chains left at the
// end are dropped. A tangled cut (the same edge in several facets) on which that procedure would
// cycle for ever stops after a fixed number of placements per segment and drops its open chains alike.
// Chains are found through vertex-indexed tables instead of by scanning, so the cost
// grows with the segment count and the number of segments sharing a vertex. Any indices are safe.
std::vector<Contour> AssembleContours(const std::vector<Segment>& segments);
