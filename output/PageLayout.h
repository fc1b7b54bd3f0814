#pragma once
// Where the printed picture goes on the page: the layout in millimetres (kept in "Size",
// "LeftMargin" and "TopMargin") turned into device pixels of the page at its resolution.

struct PrintLayout {
    int printSize = 150;  // width of the printed picture, mm
    int leftMargin = 10;  // mm from the page's left edge
    int topMargin = 10;   // mm from the page's top edge
};

inline constexpr int kLayoutMinimum = 1;
inline constexpr int kLayoutMaximum = 100000;

struct PageArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The area in device pixels for a picture of `width` x `height` pixels on a page of dpiX x dpiY pixels
// per inch: each value the integer part of millimetres / 25.4 x dpi, the height taken from the
// millimetre height printSize x height / width (integer division), so the view's proportions hold.
// A picture without columns gets height 0; values beyond an int stop at INT_MAX.
PageArea PrintedPictureArea(const PrintLayout& layout, int width, int height, int dpiX, int dpiY);
