#pragma once
// KeyframeHost fake that records the calls of keyframe operations.

#include <string>
#include <vector>

#include "flight/KeyframeHost.h"

class RecordingKeyframeHost : public KeyframeHost {
public:
    void LoadController(int index) override { controllers.push_back(index); }
    void RepaintNow() override { calls.push_back("repaint"); }
    void ShowAppliedKeyframe() override { calls.push_back("applied"); }
    void ShowInterpolatedFrame() override { calls.push_back("interpolated"); }
    void SetKeyframeDisplay(int count) override { displays.push_back(count); }

    std::vector<int> controllers;
    std::vector<std::string> calls;
    std::vector<int> displays;
};
