#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>
#include <vector>

// One bookmark of a file manager, as its file writes it.
struct Bookmark {
    QString address;  // the URI, percent-encoded
    QString title;    // empty when it has none
    // A place the file manager puts there itself (home, trash, network),
    // not one the user bookmarked.
    bool systemPlace = false;
};

// Where the desktop's file managers keep their bookmarks: GTK's list of
// URIs and KDE's places, an XBEL document.
struct BookmarkSources {
    QString gtk;  // $XDG_CONFIG_HOME/gtk-3.0/bookmarks
    QString kde;  // $XDG_DATA_HOME/user-places.xbel
};
BookmarkSources DesktopBookmarkSources();

// GTK's file: one bookmark a line, the URI, then maybe a space and its
// label. Blank lines and lines that start with no URI are passed over.
std::vector<Bookmark> ReadGtkBookmarks(QByteArrayView text);

// An XBEL document's bookmarks in document order, folders flattened; the
// ones its owner hid are left out. None, with error set, for a document
// that is not well-formed or not XBEL. An empty file has no bookmarks.
std::optional<std::vector<Bookmark>> ReadXbel(QByteArrayView text, QString* error);

// The local path a file: address names, without a trailing separator; none
// for an address on another computer or of another kind. A name's bytes
// that are not UTF-8 come as NameFromBytes gives them.
std::optional<QString> LocalPathOf(const QString& address);

// The address a path is written as in a bookmark: a file: URI for an
// absolute path, the address itself for one with a URL scheme (a web
// address), nothing for anything else.
QString AddressOf(const QString& path);
