#pragma once
// The commands of pexora-cli. Each takes the arguments that follow its name, writes its results to
// `out` and its messages to `err`, and returns the exit status: 0 done, 1 input refused, 2 bad
// arguments. RunCli dispatches to them by name.

#include <iosfwd>
#include <string>
#include <vector>

using CliArguments = std::vector<std::string>;

// The whole program: `arguments` are those after the program's name. "--help" or "-h" prints the usage
// to `out` and returns 0; a known command name runs that command with the arguments after it; anything
// else prints the usage to `err` and returns 2.
int RunCli(const CliArguments& arguments, std::ostream& out, std::ostream& err);

// info FILE [--timings]: reads the model with the viewer's reader and prints the lines
// "format: p3g|ctm|stl", "vertices: N", "facets: N", "normals: yes|no", "box_min: X Y Z" and
// "box_max: X Y Z" (the record's box, not centred, %.6g), then with --timings "time_read: S"
// (wall-clock seconds of reading and parsing). A refused file gives one "error: ..." line.
int RunInfoCommand(const CliArguments& arguments, std::ostream& out, std::ostream& err);

// weld IN OUT.p3g [--timings]: reads the model, sets its shared-vertex flag and welds it as the
// surface update does (a .p3g model stays as it is), writes OUT.p3g and prints "vertices: N" and
// "facets: N", then with --timings "time_read: S", "time_weld: S" and "time_write: S".
int RunWeldCommand(const CliArguments& arguments, std::ostream& out, std::ostream& err);

// cut IN OUT.p3g --plane A B C D [--weld] [--timings]: reads the model (welding it with --weld),
// cuts it with the plane A x + B y + C z + D = 0 in the model's coordinates (the positive side is
// removed, the opening capped), writes the mesh with the cap's triangles appended as facets and
// prints "vertices: N", "facets: N" (as written), "cap_triangles: N", "contours: N" (closed
// contours of the section) and "holes: N" (of them, holes), then with --timings "time_read: S",
// "time_weld: S" (with --weld), "time_cut: S" and "time_write: S".
int RunCutCommand(const CliArguments& arguments, std::ostream& out, std::ostream& err);

// scene FILE.psc: reads a scene file and prints "count: N", "field_of_view: N", "fog_intensity: N",
// "bg_mode: N" and "stage_size: N", then for each record I (0 the camera, count the plate) the line
// "record I: NAME | LOCATION | visible V | scale S | position X Y Z" (%.6g). A refused file gives one
// "error: ..." line.
int RunSceneCommand(const CliArguments& arguments, std::ostream& out, std::ostream& err);
