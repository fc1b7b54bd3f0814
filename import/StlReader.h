#pragma once
// Reader of .stl files, binary (layout in import/StlFormat.h) and ASCII.

#include "import/ByteSource.h"
#include "import/ParsedModel.h"

// Reads an STL file into an unwelded mesh: triangle k becomes vertices 3k, 3k+1, 3k+2 and goes into
// facet slot T-1-k (the facet array is filled from its end); facet normals are ignored. A file that
// begins with "solid" and whose size differs from 84 + 50 T is read as ASCII STL, giving the same
// mesh as the binary file of the same triangles; if that text is no valid ASCII STL but the binary
// layout fits, it is read as binary. Safe on untrusted input: a file shorter than its header, a
// negative count, a count that does not fit the file or malformed text gives kRefused with `model`
// left empty.
ParseOutcome ParseStl(ByteSource& source, ParsedModel& model);

// Reads the binary layout only (same contract as ParseStl).
ParseOutcome ParseBinaryStl(ByteSource& source, ParsedModel& model);
