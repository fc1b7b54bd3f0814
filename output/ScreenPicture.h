#pragma once
// The picture the view shows, as it is saved and printed: the view's pixels with the width cut down
// to a multiple of 4, so that rows of 3-byte pixels need no filling (the rightmost 0..3 columns are
// dropped). Bottom-up rows of blue, green, red bytes, as BgrImage keeps them.

#include "render/ReadPixels.h"

class CPexoraView;

// The leftmost width / 4 * 4 columns of `view`, all of its rows. A view narrower than 4 pixels gives
// a picture of width 0 (no bytes) and the view's height.
BgrImage CutToWholeQuads(const BgrImage& view);

// Draws the scene afresh into the view's read buffer and takes the picture from it, so that nothing
// shown over the view a moment ago (a closing dialog) can be in it. Empty (0 x 0) without a context.
BgrImage CaptureScreenPicture(CPexoraView& view);
