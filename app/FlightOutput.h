#pragma once
// What a flight playback writes while "save files" is ticked: every frame it shows, as a movie or a
// numbered image series, with fades. The playback drives it; the export implements it.

#include "flight/FadeSettings.h"

// Where the frame just drawn stands in a pass; still fade frames follow only keyframes.
enum class FlightFrame {
    FirstKeyframe,  // keyframe 0
    Interpolated,   // a frame between two keyframes
    Keyframe,       // keyframe 1 .. n-1
};

// What the export needs to know of the flight before it starts.
struct FlightPlan {
    FadeSettings fades;   // already fitted to totalFrames
    int totalFrames = 0;  // the recorder's "Total number of frames"
    int keyframes = 0;    // keyframe files of the flight
};

class FlightOutput {
public:
    virtual ~FlightOutput() = default;
    // Asks where to write (and for a movie how to compress) and opens the output. False when the user
    // cancelled or the output could not be opened: the flight is then not played.
    virtual bool Prepare(const FlightPlan& plan) = 0;
    // A pass begins: the output frame number starts again at 0.
    virtual void StartPass() = 0;
    // Takes the frame just drawn in the view: captures, fades and writes it, then the still fade frames
    // the fades ask for after a keyframe. False when the output failed (a full disk): the user has been
    // told, a movie has been removed, and the playback stops.
    virtual bool Emit(FlightFrame frame) = 0;
    // The playback is over. `stopped`: the user stopped it, and a movie is deleted; otherwise a movie is
    // shown in the desktop's player when the user asked for that.
    virtual void Finish(bool stopped) = 0;
};
