#pragma once

#include "DragSource.h"

#include <QHash>
#include <QStringList>

// What the window's own drags do over the tree. Coordinates are twips in the
// tree's own frame.
class TreeDropEvents {
public:
    virtual ~TreeDropEvents() = default;
    // state: 0 the drag enters the tree, 1 it leaves it, 2 it moves over it.
    virtual void TreeView_DragOver(DragSource source, float x, float y, int state) = 0;
    // Told at the moment the drag is let go over the tree, before the drag
    // has ended: what happens before the drop is told (a scroll) must not
    // move the rows under the point.
    virtual void TreeView_DragRelease(DragSource source, float x, float y) = 0;
    // Told once the drag has ended, so that what the drop shows (a menu, a
    // message) has the pointer to itself.
    virtual void TreeView_DragDrop(DragSource source, float x, float y) = 0;
};

// A list of files dragged from the desktop or another program, as the tree
// is offered it: whether the source lets it be copied, and the full paths of
// the local files and the web addresses (files/WebAddress.h) in it, in the
// source's order (anything else it holds, such as files of other machines,
// is left out). Each path is decoded exactly: a name that is not UTF-8 as
// files/NameBytes.h decodes it, an escaped NUL or line break as itself, for
// the logic to refuse. A web address comes fully encoded, as a browser
// hands it over, with the page's title when the source gave one.
struct ShellDropData {
    bool copyAllowed = false;
    QStringList paths;
    QHash<QString, QString> titles = {};  // by web address
};

// What such drags do over the tree. Coordinates are twips in the tree's own
// frame.
class ShellDropEvents {
public:
    virtual ~ShellDropEvents() = default;
    // Returns whether the data may be dropped here at all; when not, the
    // drag is refused and the pointer shows that no drop is possible.
    virtual bool TreeView_OLEDragOver(const ShellDropData& data, float x, float y) = 0;
    // Told once the drag has ended, as for the window's own drags; a drag
    // refused over the tree is not told.
    virtual void TreeView_OLEDragDrop(const ShellDropData& data, float x, float y) = 0;
};
