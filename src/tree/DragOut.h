#pragma once

#include "platform/OutsideOffer.h"

#include <optional>

class TreeNode;

// What a dragged node offers programs outside the window: a file or folder
// its file:// address, escaped from the path's own bytes; a web address
// (http:, https:, mailto:) itself. A node with no path, or with one that
// is neither absolute nor a web address (nothing outside could tell what
// it is relative to), offers nothing: it stays the window's own drag.
std::optional<OutsideOffer> OutsideOfferOf(const TreeNode* node);
