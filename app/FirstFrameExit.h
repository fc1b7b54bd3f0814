#pragma once
// The start-up switch "--quit-after-first-frame[=IMAGE]": the program shows its window, draws the
// scene once, optionally saves that frame as an image and ends. Scripts use it to prove that a built or
// installed viewer starts and draws a model; it is not part of the command line the analysis program
// hands over, so it is taken out before that command line is read.

#include <functional>
#include <optional>
#include <string>
#include <vector>

class CMainFrame;

inline constexpr char kQuitAfterFirstFrameSwitch[] = "--quit-after-first-frame";

// Removes every "--quit-after-first-frame" and "--quit-after-first-frame=IMAGE" from `arguments`.
// Returns nothing when the switch was absent, otherwise the image path of the last one ("" without
// "=IMAGE"). Safe on any text.
std::optional<std::string> TakeQuitAfterFirstFrame(std::vector<std::string>& arguments);

// Once the view has shown its next frame: saves that frame to `imagePath` (format by the extension;
// nothing when empty), closes `frame` and calls `end` with status 0, or 1 when the image could not be
// written. `frame` must live until then.
void QuitAfterNextFrame(CMainFrame& frame, const std::string& imagePath, std::function<void(int status)> end);
