#pragma once
// The two step sizes of the Movements window: reading an edit's text as a step, with the correction
// of values out of range, and handing the steps to the controllers and the settings.

#include <string_view>

class ControlledScene;

inline constexpr int kRotationStepMax = 360;        // degrees
inline constexpr int kTranslationStepMax = 100000;  // scene units per key press
inline constexpr const char* kEnterIntegerMessage = "Enter an integer.";
// Played when an entered step had to be corrected.
inline constexpr int kStepCorrectionToneHz = 500;
inline constexpr int kStepCorrectionToneMs = 100;

struct StepEntry {
    int value = 0;            // the step now held (and to be shown when `corrected`)
    bool notInteger = false;  // the text was no integer: "Enter an integer." is shown first
    bool corrected = false;   // the edit must be rewritten with `value` and the correction tone played
};

// Whether `text` is a decimal integer: optional blanks, an optional sign, digits, optional blanks.
// Values beyond 32 bits saturate. Safe on any text.
bool ReadWholeInteger(std::string_view text, int& value);

// The step after the user changed the edit to `text`. An integer within 1..maximum is taken as it is.
// Otherwise the value (the new one, or `previous` when the text is no integer) becomes 1 when it is
// <= maximum and `maximum` above, and the entry says to correct the edit.
StepEntry EnterStep(std::string_view text, int previous, int maximum);

// The rotation step committed: every object controller 1..127 turns |degrees| mod 360 per key; the
// camera's controller keeps its own.
void SetObjectKeySteps(ControlledScene& scene, int degrees);
