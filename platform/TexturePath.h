#pragma once
// Where the image-cube pictures are looked for.

#include <string>

// The program's data folder: <prefix>/share/pexora for an installed program (the executable in
// <prefix>/bin) when that folder exists, otherwise the folder of the executable `programPath`.
std::string ProgramDataDirectory(const std::string& programPath);

// The file of one cube face: the "Texture" setting is a prefix (a folder ending in "/", or a
// file-name prefix) put in front of `faceFile`. A relative prefix lies under `programDirectory`,
// an absolute one is taken as it is; a backslash ending the prefix counts as a folder separator,
// as settings written on Windows have it.
std::string CubeFacePath(const std::string& programDirectory, const std::string& texture,
                         const std::string& faceFile);
