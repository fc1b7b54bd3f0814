#pragma once
// Names of a numbered image series written by a flight export: one base (folder, separator and a
// title), then four digits of the frame number and the extension, "clip0000.jpg", "clip0001.jpg", ...
// Before a series is written, older files of the same base are found and, if the user agrees, deleted,
// so that a shorter flight does not leave frames of a longer one behind.

#include <string>
#include <vector>

class MessageBoxes;

// The folder of `path`: the text before its last "/" (empty when there is none, or when the file lies
// in the root).
std::string FolderOf(const std::string& path);

// The series base for the file the user chose: its folder, "/", its name without the extension, with
// four trailing decimal digits removed, so that picking clip0012.jpg numbers the series from clip and
// picking 0012.bmp gives a base that ends in the separator.
std::string SeriesBase(const std::string& chosenPath);

// The name of frame `frame` of the series: base, the number in four digits (more when it needs them)
// and "." + extension.
std::string SeriesFrameName(const std::string& base, int frame, const std::string& extension);

// Files already there that a series of `base` would clash with: every regular file whose path is
// base, four characters and "." + extension, and whose title (its name without the extension) is
// longer than four characters and ends in four decimal digits. A base without a title (ending in the
// separator) therefore finds nothing: such files are simply overwritten. Sorted; empty when the folder
// cannot be read.
std::vector<std::string> ExistingSeriesFiles(const std::string& base, const std::string& extension);

// Before writing a series: when files of `base` exist, asks once ("Delete Files") whether to delete
// them and deletes them on Yes. False when the user answers No (nothing is written then).
bool CheckImageNames(const std::string& base, const std::string& extension, MessageBoxes& messages);
