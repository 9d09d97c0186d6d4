#pragma once

#include "platform/DragSource.h"

#include <QPixmap>
#include <QString>
#include <optional>

class QMimeData;
class QWidget;

// The window's own drags of its controls (a node of the tree, a directory,
// a file) carry one private type whose data names the control they come
// from, so the tree can tell its own drags from each other and from the
// desktop's.
namespace ControlDrag {
QString mimeType();
QMimeData* dataFor(DragSource source);
// The control a drag comes from; none for anything else.
std::optional<DragSource> sourceOf(const QMimeData* data);

// The drag pictures, 32 by 32: "drag" over the list it came from, "drop"
// where it may be dropped, "nodrop" where not. Anything else is "nodrop".
QPixmap picture(const QString& key);

// Runs a drag of the control from the widget, showing the picture, and
// returns when it has ended. The picture is the drag's cursor, so that what
// the drag passes over can change it.
void exec(QWidget* source, DragSource control, const QPixmap& picture);
// Changes the picture of the drag under way; nothing when none runs.
void setPicture(const QPixmap& picture);
}  // namespace ControlDrag
