#pragma once
// What keyframe storing, applying and interpolating ask of the frame and the view. The application
// implements it; tests record the calls.

class KeyframeHost {
public:
    virtual ~KeyframeHost() = default;
    // Loads the view's ball controller `index` from its record (LoadControllerFromRecord).
    virtual void LoadController(int index) = 0;
    // Repaints the view at once (invalidate, erase, update now).
    virtual void RepaintNow() = 0;
    // After a keyframe was applied to the live scene: applies the light, repaints at once, syncs the
    // Stage and Light dialogs when their windows exist and refreshes every control of the Objects dialog.
    virtual void ShowAppliedKeyframe() = 0;
    // After an interpolated state: as ShowAppliedKeyframe, but the Objects dialog refreshes only its
    // material controls.
    virtual void ShowInterpolatedFrame() = 0;
    // The flight recorder's keyframe display shows `count`.
    virtual void SetKeyframeDisplay(int count) = 0;
};
