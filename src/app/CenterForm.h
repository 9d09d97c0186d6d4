#pragma once

#include "platform/Geometry.h"

// Centring a window, in twips; "\" of the old code is integer division.
TwipsRect CenterOnScreen(const TwipsRect& window, const TwipsSize& screen);
TwipsRect CenterOnOwner(const TwipsRect& window, const TwipsRect& owner);
