#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QUrl>

class QMimeData;

// The addresses a drag offers, in its order, and the titles of pages that a
// browser gives beside them. Browsers offer a link as "text/uri-list" and
// "text/x-moz-url" (UTF-16 lines, each address followed by its title), and
// often as "_NETSCAPE_URL" (UTF-8 lines, the same pairs) and plain text; the
// first of these that the drag has gives the list, the two paired ones give
// the titles.
struct DroppedAddresses {
    QList<QUrl> urls;
    QHash<QString, QString> titles;  // by the address, fully encoded
};

// Without titles wanted, as while a drag only passes over, the paired
// formats are read only when the drag has no list: on X11 each format read
// is a round trip to the source.
DroppedAddresses ReadDroppedAddresses(const QMimeData& mime, bool withTitles = true);
