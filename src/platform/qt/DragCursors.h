#pragma once

#include <QPixmap>

class QDrag;

// The cursors of a drag of the window's own: over the window, whatever the
// drop would do, the picture the logic last chose. A drag that also offers
// something outside shows, over another program, the picture it started
// with where that program takes it and "nodrop" where not, since the
// logic's picture by then only says that the tree was left.
class DragCursors {
public:
    DragCursors(QDrag& drag, const QPixmap& start, bool outside);

    // The logic's choice.
    void show(const QPixmap& picture);
    // The drag came over a part of the window that takes drags (true), or
    // over anything else (false).
    void overWindow(bool ours);

private:
    void apply();

    QDrag& drag_;
    QPixmap start_;
    QPixmap chosen_;
    bool outside_;
    bool ours_ = true;
};
