#pragma once
// Material files ("*.mat"): the colour, opacity and three lighting coefficients of one scene object in
// the section "Material" of an initialisation file, as whole numbers (coefficients in percent).

#include <cstdint>
#include <string>

struct SceneObject;

inline constexpr char kMaterialSection[] = "Material";
inline constexpr char kMaterialFileFilter[] = "Material files (*.mat)";
inline constexpr char kMaterialFilePattern[] = "*.mat";
inline constexpr char kMaterialFileExtension[] = "mat";

// Reads "Red", "Green", "Blue", "Opacity" (low 8 bits of the number) and "Diffusion", "Emission",
// "Reflection" (number x 0.01) into `object`. A missing key, section or file, or a file that cannot be
// read, leaves that part unchanged; a value that is not an unsigned decimal number reads as 0.
// False when the file is missing or could not be read.
bool LoadMaterial(SceneObject& object, const std::string& path);

// Writes the seven keys into the section "Material" of `path`, replacing equal keys and keeping every
// other line; the file is created when missing. False when nothing was written: the directory is not
// writable, or an existing file is read-only or cannot be read (it is then left as it was).
bool SaveMaterial(const SceneObject& object, const std::string& path);

// A coefficient as the file stores it: int(coefficient x 100 + 0.5), the product in single precision
// and the sum in double.
// Values beyond the int range are clamped, a value that is not a number gives 0.
int32_t CoefficientPercent(float coefficient);
