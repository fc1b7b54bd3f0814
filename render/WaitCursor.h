#pragma once
// The wait cursor for the life of one guard: shown when the guard is made, taken back when it goes,
// on every way out of the block (a return, an exception). Guards may nest; the cursor returns to the
// one before when the outermost goes. Needs a QGuiApplication.

class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};
