#pragma once

#include "platform/DragSource.h"
#include "platform/OutsideOffer.h"

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
// The same, also offering programs outside the window the address as a
// text/uri-list and the path as text/plain.
QMimeData* dataFor(DragSource source, const OutsideOffer& outside);
// The control a drag comes from; none for anything else.
std::optional<DragSource> sourceOf(const QMimeData* data);

// The drag pictures, 32 by 32: "drag" over the list it came from, "drop"
// where it may be dropped, "nodrop" where not. Anything else is "nodrop".
QPixmap picture(const QString& key);

// Runs a drag of the control from the widget, showing the picture, and
// returns when it has ended. The picture is the drag's cursor, so that what
// the drag passes over can change it. A drag with something to offer
// outside lets a program there copy or link it only: never move the user's
// file.
void exec(QWidget* source, DragSource control, const QPixmap& picture,
          const std::optional<OutsideOffer>& outside = std::nullopt);
// Changes the picture of the drag under way; nothing when none runs.
void setPicture(const QPixmap& picture);
}  // namespace ControlDrag
