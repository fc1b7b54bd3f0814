#pragma once
// The CT slice stack the sample specimen stands for: a cube of `size` x `size` pixels and `size`
// slices, 8-bit grey BMP slices "NAME_rec0000.bmp", ... that look like a micro-CT reconstruction (a
// dense bright shell, a porous interior, the through-hole and the outside dark, mild noise).
// The stack and the surface model share one frame, the dataset coordinates of the viewer's caps: a
// mesh vertex (x, y, z) lies on pixel column x + size/2 and stored (bottom-up) row y + size/2 of slice
// z. The specimen keeps its proportions at every size: the shape of SpecimenShape.h, made for a stack
// of kSpecimenSliceSize, is scaled by size / kSpecimenSliceSize.

#include <cstdint>
#include <string>

class Poly3gon;

inline constexpr int kDefaultStackSize = 128;
inline constexpr int kStackDigits = 4;  // slice numbers in the file names; a stack holds at most 10^4

// Edge length of the specimen's field of view, in micrometres: the voxel size is this over the size.
inline constexpr double kStackFieldOfViewMicrons = 1600.0;

// Voxel size of a stack of `size`, in micrometres (the viewer's "-v" value with unit code 0).
inline double StackVoxelSize(int size) {
    return kStackFieldOfViewMicrons / size;
}

// Moves a mesh made in the shape's own frame into the frame of a stack of `size`.
void FitMeshToStack(Poly3gon& mesh, int size);

// Grey values of slice `slice` of a stack of `size`: size x size pixels, rows bottom-up, `stride`
// bytes apart (at least size). Deterministic: the same arguments give the same bytes.
void SampleStackSlice(int size, int slice, uint8_t* pixels, int stride);

// The path of slice `slice` of the stack whose files start with `base` (folder and name).
std::string StackSlicePath(const std::string& base, int slice);

// Writes the `size` slices of a stack (1 <= size <= 10^4) as BMP slices with the grey palette, the
// resolution of StackVoxelSize and a trailer, each through the safe save. False at the first slice
// that could not be written (earlier slices stay written).
bool WriteSpecimenStack(const std::string& base, int size);
