#pragma once
// The commands of pexora-cli. Each takes the arguments that follow its name, writes its results to
// `out` and its messages to `err`, and returns the exit status: 0 done, 1 input refused, 2 bad
// arguments. main.cpp dispatches to them by name.

#include <iosfwd>
#include <string>
#include <vector>

using CliArguments = std::vector<std::string>;

// info FILE [--timings]: reads the model with the viewer's reader and prints the lines
// "format: p3g|ctm|stl", "vertices: N", "facets: N", "normals: yes|no", "box_min: X Y Z" and
// "box_max: X Y Z" (the record's box, not centred, %.6g), then with --timings "time_read: S"
// (wall-clock seconds of reading and parsing). A refused file gives one "error: ..." line.
int RunInfoCommand(const CliArguments& arguments, std::ostream& out, std::ostream& err);
