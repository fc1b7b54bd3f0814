#pragma once
// Reader of ASCII STL text.

#include "import/ByteSource.h"
#include "import/ParsedModel.h"

// Reads one or more sections "solid [name]" ... "endsolid [name]" whose facets are written as
// "facet normal nx ny nz outer loop vertex x y z (three times) endloop endfacet"; keywords match
// without regard to case, any whitespace separates words. Produces the mesh layout of ParseStl
// (triangle k: vertices 3k..3k+2, facet slot T-1-k). Safe on untrusted input: anything that breaks
// the grammar, a number that does not parse, or a word longer than 4096 characters gives kRefused
// with `model` left empty. Reads the text in blocks; memory grows with the triangles, not the text.
ParseOutcome ParseAsciiStl(ByteSource& source, ParsedModel& model);
