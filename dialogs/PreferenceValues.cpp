#include "dialogs/PreferenceValues.h"

#include <algorithm>

#include "navigation/MovementSteps.h"
#include "platform/ProgramSettings.h"

std::optional<int> ClampedApplyButtonLimit(std::string_view text) {
    int value = 0;
    if (!ReadWholeInteger(text, value)) return std::nullopt;
    return std::clamp(value, kApplyButtonLimitMin, kApplyButtonLimitMax);
}

PreferenceValues CurrentPreferences(const ProgramSettings& settings, int drawBoxesWhenMoving,
                                    int glAccelerator, int plateVisible) {
    PreferenceValues values;
    values.glAccelerator = glAccelerator;
    values.sound = settings.sound;
    values.plateVisible = plateVisible;
    values.logOpacity = settings.logOpacity;
    values.lookAt = settings.lookAt;
    values.applyButtonLimit = settings.applyButtonLimit;
    values.drawBoxesWhenMoving = drawBoxesWhenMoving;
    values.arrowLength = settings.arrowLength;
    values.jpegQuality = settings.jpegQuality;
    values.aviFramerate = settings.aviFramerate;
    values.mouseWheel = settings.mouseWheel;
    return values;
}

void StorePreferences(const PreferenceValues& chosen, ProgramSettings& settings) {
    settings.sound = chosen.sound;
    settings.mouseWheel = chosen.mouseWheel;
    settings.arrowLength = chosen.arrowLength;
    settings.applyButtonLimit = chosen.applyButtonLimit;
    settings.jpegQuality = chosen.jpegQuality;
    settings.aviFramerate = chosen.aviFramerate;
    settings.logOpacity = chosen.logOpacity;
    settings.lookAt = chosen.lookAt;
}

PreferenceFollowUp FollowUpOf(const PreferenceValues& before, const PreferenceValues& chosen) {
    // The boxes are 0/1 controls: any non-zero stored value is the same "on".
    const auto on = [](int value) { return value != 0; };
    return {on(before.glAccelerator) != on(chosen.glAccelerator), on(before.lookAt) != on(chosen.lookAt)};
}
