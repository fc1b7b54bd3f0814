#pragma once
// Display lists that are compiled again whenever their content changes. Needs the view's context current.

#include <cstdint>

// Deletes `list` (0: none) and returns a fresh list name for its replacement, 0 when GL gives none.
uint32_t RenewList(uint32_t list);
