#pragma once

#include <QByteArray>

// What a drag of the window's own offers a program outside it, besides the
// window's own type: the address of what was dragged, as one line of a
// text/uri-list holds it, and its path as plain text, each in its own
// bytes. A program dropped on may copy or link it, never move it.
struct OutsideOffer {
    QByteArray uri;   // encoded, with no line end
    QByteArray text;  // the path or address as it stands
    bool operator==(const OutsideOffer&) const = default;
};
