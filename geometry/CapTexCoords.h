#pragma once
// Where a cap corner falls on the cap's texture, which was resampled from the dataset on the plane of
// the cap as seen in the plate's frame at the time of the cut.

struct CutCap;

// Texture coordinate (s, t) of cap corner `vertex` (its stored mesh coordinates, 3 floats) of an
// object whose record `centre` is given, in single precision: p = (centre + vertex + objectPosition) *
// objectScale; r = plateRotationT * (objectRotation * p), divided by plateScale unless that is 0;
// s = (r.x - platePosition.x - texMinX) / texSpanS, t = (r.z - platePosition.z - texMinZ) / texSpanT.
// `st` receives 2 floats. A zero span gives an infinite or NaN coordinate, as GL accepts.
void CapTexCoord(const CutCap& cap, const float centre[3], const float vertex[3], float st[2]);
