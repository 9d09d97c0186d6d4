#pragma once

#include "platform/DragSource.h"

// The tree as the browser's menus reach it: "Add to Tree" copies a list's
// highlighted entry into the tree without a drag, as a drop of that entry
// onto the tree's selected node would.
class BrowserToTree {
public:
    virtual ~BrowserToTree() = default;
    // False while the tree takes nothing from the user (a filter shows part of it).
    virtual bool TakesEntries() const = 0;
    // list: DragSource::DirList or DragSource::FileList, the one showing.
    virtual void AddToTree(DragSource list) = 0;
};
