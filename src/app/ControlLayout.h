#pragma once

#include "platform/Geometry.h"
#include "platform/MainWindowPort.h"

#include <vector>

// One control's rectangle as designed, recorded at start-up so that layout
// always starts from the designed values and never accumulates rounding.
struct LayoutRow {
    Control control;
    TwipsRect designed;
};

using ControlLayout = std::vector<LayoutRow>;
