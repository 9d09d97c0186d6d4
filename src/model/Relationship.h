#pragma once

// Placements of a new node relative to another one.
enum Relationship : int {
    tvwFirst = 0,     // first among the relative's siblings
    tvwLast = 1,      // last among the relative's siblings
    tvwNext = 2,      // directly after the relative
    tvwPrevious = 3,  // directly before the relative
    tvwChild = 4,     // last child of the relative
};
