#pragma once
// The model hand-off between instances: a second instance started with a model leaves the five values
// in the settings section "Mervik_start" and ends; the running instance picks them up, asks the user
// (unless it was itself started with a model) and loads the model or declines.

#include <cstdint>
#include <functional>
#include <string>

class SettingsStore;
class MessageBoxes;

inline constexpr char kHandOffSection[] = "Mervik_start";
inline constexpr char kHandOffQuestion[] = "Mervik program try to send new model.\nAccept it?";

struct HandOff {
    std::string modelPath;      // "prefix": absolute path of the model, case kept
    std::string datasetPath;    // "cs_set": a slice of the CT dataset, or empty
    float pixelSize = 0.0f;     // "pix_size": voxel size, 0 when unknown
    int32_t postfixLength = 4;  // "postfix_len": digits of the slice index in the dataset file names
    int32_t unit = 0;           // "unit": length unit code 0..4
};

// Writes "prefix", "cs_set", "postfix_len", "unit" in that order, then "pix_size" (4 bytes, little-endian
// IEEE) when the pixel size is greater than 0, or removes a "pix_size" left by an earlier declined
// hand-off otherwise; then syncs. False when the store could not be written.
bool WriteHandOff(SettingsStore& store, const HandOff& handOff);

// Syncs, then reads the five values with their defaults (empty, empty, 4, 0, 0.0). "pix_size" counts only
// when it holds at least 4 bytes. Values from the file are checked as the command line checks them:
// a digit count below 1 reads 4, a unit outside 0..4 reads 0, a pixel size that is not a positive
// finite number reads 0.
HandOff ReadHandOff(SettingsStore& store);

// Drops a hand-off the user refused: empty strings to "prefix", "cs_set", "postfix_len" and "unit" in that
// order; "pix_size" stays (written back unchanged when `read.pixelSize` > 0). Syncs.
void DeclineHandOff(SettingsStore& store, const HandOff& read);

// Empties "prefix" and "cs_set" so that a hand-off left from an earlier run is not taken (frame built
// and destroyed). Syncs.
void ClearHandOff(SettingsStore& store);

// Deletes all five values (a hand-off being loaded). Syncs.
void RemoveHandOff(SettingsStore& store);

enum class HandOffOutcome { Loaded, Declined };

// Answers a hand-off that was read with a non-empty model path. An instance started with a model takes it
// without asking; otherwise `bringToFront` runs and the user is asked kHandOffQuestion. Taken: the
// hand-off is removed from the store first (so it is never taken twice), then `load` runs.
// Refused: DeclineHandOff.
HandOffOutcome AnswerHandOff(const HandOff& handOff, SettingsStore& store, MessageBoxes& boxes,
                             bool startedWithModel, const std::function<void()>& bringToFront,
                             const std::function<void(const HandOff&)>& load);
