#pragma once
// Reader of .ctm facet soups (layout in import/CtmFormat.h).

#include "import/ByteSource.h"
#include "import/ParsedModel.h"

// Reads the facet records into an unwelded mesh: file facet k becomes vertices 3k, 3k+1, 3k+2 and
// goes into facet slot N-1-k (the facet array is filled from its end). With normal flag 2 the
// vertex normals go into `model.normals` in the same vertex order. Records of any size from 36
// (72 with normals) bytes on are read; the rest of each record is skipped.
// Safe on untrusted input: a short header, a descriptor or record area outside the file, a record
// too small for its fields or a negative count gives kRefused with `model` left empty.
ParseOutcome ParseCtm(ByteSource& source, ParsedModel& model);
