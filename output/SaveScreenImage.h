#pragma once
// The Save Image command: asks for a file, remembers its folder in "DataDirectory", draws the scene
// afresh, takes the picture (width cut to a multiple of 4) and writes it in the format of the filter
// the user left selected. A write that fails leaves any earlier file whole and tells the user.

#include <string>
#include <vector>

#include "output/ScreenImageFormats.h"

class CPexoraView;
struct PlatformServices;
struct ProgramSettings;

// Shown when the file could not be written; the path follows.
inline constexpr const char* kImageNotSavedMessage = "Cannot save the image to ";

// The file dialog's request: the formats' filters (the first selected), their first extension by
// default, starting in "DataDirectory", asking before replacing a file.
FileDialogRequest SaveImageRequest(const std::vector<ScreenImageFormat>& formats,
                                   const std::string& dataDirectory);

// Runs the command; nothing happens when the dialog is cancelled. `formats` must not be empty.
void SaveScreenImage(CPexoraView& view, ProgramSettings& settings, PlatformServices& services,
                     const std::vector<ScreenImageFormat>& formats);
