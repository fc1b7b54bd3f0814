#include "platform/WindowPlacement.h"

#include "platform/SettingsStore.h"

namespace {

constexpr char kLeft[] = "LeftWindowPosition";
constexpr char kTop[] = "TopWindowPosition";
constexpr char kRight[] = "RightWindowPosition";
constexpr char kBottom[] = "BottomWindowPosition";

void ReadSide(SettingsStore& store, const std::string& section, const char* name, int32_t& side) {
    if (const auto value = store.ReadInt(section, name)) side = static_cast<int32_t>(*value);
}

}  // namespace

PlacementRect ReadPlacement(SettingsStore& store, const std::string& section, PlacementRect current) {
    ReadSide(store, section, kLeft, current.left);
    ReadSide(store, section, kTop, current.top);
    ReadSide(store, section, kRight, current.right);
    ReadSide(store, section, kBottom, current.bottom);
    return current;
}

bool WritePlacement(SettingsStore& store, const std::string& section, const PlacementRect& bounds) {
    bool ok = store.WriteInt(section, kLeft, static_cast<uint32_t>(bounds.left));
    ok = store.WriteInt(section, kTop, static_cast<uint32_t>(bounds.top)) && ok;
    ok = store.WriteInt(section, kRight, static_cast<uint32_t>(bounds.right)) && ok;
    ok = store.WriteInt(section, kBottom, static_cast<uint32_t>(bounds.bottom)) && ok;
    return ok;
}

bool PlacementFitsScreen(const PlacementRect& bounds, const ScreenArea& screen, int32_t borderX,
                         int32_t borderY) {
    // 64-bit sums: stored values come from a file and may be anything; an empty or inverted
    // rectangle is never a window's bounds.
    return bounds.right > bounds.left && bounds.bottom > bounds.top && bounds.left >= screen.x0 &&
           bounds.top >= screen.y0 && int64_t{bounds.right} <= int64_t{screen.x0} + borderX + screen.width &&
           int64_t{bounds.bottom} <= int64_t{screen.y0} + borderY + screen.height;
}

PlacementRect ShrinkMaximised(const PlacementRect& bounds, int32_t borderX, int32_t borderY) {
    return {bounds.left + borderX, bounds.top + borderY, bounds.right - borderX, bounds.bottom - borderY};
}
