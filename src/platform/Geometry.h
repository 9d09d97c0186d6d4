#pragma once

#include <cstdint>

// Positions and sizes the logic works in: twips, 1440 to the inch, 15 to a
// logical pixel at 96 dpi. The Qt layer converts at its edge.
struct TwipsRect {
    std::int32_t top = 0;
    std::int32_t left = 0;
    std::int32_t height = 0;
    std::int32_t width = 0;
    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

struct TwipsSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const TwipsSize&, const TwipsSize&) = default;
};

// Window states as the settings file stores them.
enum WindowState : int { StateNormal = 0, StateMinimized = 1, StateMaximized = 2 };
