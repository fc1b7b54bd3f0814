#pragma once
// Reader of .p3g files (layout in import/P3gFormat.h).

#include "import/ByteSource.h"
#include "import/ParsedModel.h"

// Reads the indexed mesh of a .p3g file; facets keep the file's order and corner order.
// Safe on untrusted input: a version other than 1000/1001 gives kUnknownVersion; negative counts,
// counts that do not fit the file and indices that name no vertex give kRefused. Bytes after the
// last facet are ignored. On anything but kParsed `model` is left empty.
ParseOutcome ParseP3g(ByteSource& source, ParsedModel& model);
