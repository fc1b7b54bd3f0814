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

// resample SLICE PREFIX [-n DIGITS] [--mip] [--count N] [--spacing N] [--background 0|1] [--type bmp|jpg]
// [--quality Q] [--plate-rotation R0 .. R8] [--plate-position X Y Z] [--plate-box MINX MINZ MAXX MAXZ]
// [--plate-scale S] [--object-rotation R0 .. R8] [--object-position X Y Z] [--object-centre X Y Z]
// [--object-scale S] [--timings]: resamples the dataset of SLICE along a plate as the viewer does for
// a source object and plate with those fields (defaults: identity rotations, zero positions and
// centre, scale 1, 1 plane 1 apart, white background, plate box -100 -100 100 100), writing PREFIX +
// four-digit plane offset + extension (with --mip one projection PREFIX_mip.EXT; JPEG of quality Q, 100 by
// default) and prints
// "written: N", then with --timings "time_read: S", "time_resample: S" and "time_write: S".
int RunResampleCommand(const CliArguments& arguments, std::ostream& out, std::ostream& err);
// slices SLICE [-n DIGITS]: the dataset named by the slice file SLICE with DIGITS-digit numbers
// (default 4), as resampling sees it: "found: N", "lowest: N", "highest: N" and "step: N" (lowest
// starts at 1000000, highest at 0, step = (highest - lowest) / max(1, found - 1)), then SLICE itself as
// the viewer reads it: "result: N" (1 BMP, 2 JPEG, 3 BMP whose palette entry 0 is not black), "width: N",
// "height: N", "stride: N", "trailer: yes|no" (a trailer tagged "Korvane"), "value_a: N",
// "value_b: N" and "pixels_per_metre: N" (the horizontal resolution of the info header). A slice that
// cannot be read gives one "error: ..." line.
int RunSlicesCommand(const CliArguments& arguments, std::ostream& out, std::ostream& err);
// keyframe FILE: reads a keyframe file as the viewer does and prints "count: N", "field_of_view: N",
// "fog_intensity: N", then per record 0 .. count "record I: visible V scale S position X Y Z backup
// PATH" (%.6g; PATH empty when there is none). A refused file gives one "error: ..." line.
int RunKeyframeCommand(const CliArguments& arguments, std::ostream& out, std::ostream& err);

// snapshot FILE: reads a mesh snapshot as the viewer does and prints "vertices: N", "facets: N",
// "normals: N" and "caps: N". A refused file gives one "error: ..." line.
int RunSnapshotCommand(const CliArguments& arguments, std::ostream& out, std::ostream& err);
// scene FILE.psc: reads a scene file and prints "count: N", "field_of_view: N", "fog_intensity: N",
// "bg_mode: N" and "stage_size: N", then for each record I (0 the camera, count the plate) the line
// "record I: NAME | LOCATION | visible V | scale S | position X Y Z" (%.6g). A refused file gives one
// "error: ..." line.
int RunSceneCommand(const CliArguments& arguments, std::ostream& out, std::ostream& err);
