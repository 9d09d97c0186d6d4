#include "BookmarkFiles.h"

#include "BookmarkTexts.h"
#include "files/NameBytes.h"

#include <QRegularExpression>
#include <QStandardPaths>
#include <QXmlStreamReader>

namespace {
// Two or more scheme characters before the colon, as the opener reads them.
const QRegularExpression& urlScheme() {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme;
}

bool isTrue(const QString& text) {
    return text.trimmed().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

// Reads one <bookmark> element, its start just read: its title, and what
// KDE's metadata says of it.
Bookmark readBookmark(QXmlStreamReader& xml, bool* hidden) {
    Bookmark bookmark{xml.attributes().value(QLatin1String("href")).toString(), {}};
    *hidden = false;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement()) {
            --depth;
            continue;
        }
        if (!xml.isStartElement())
            continue;
        const QStringView name = xml.name();
        if (depth == 1 && name == QLatin1String("title")) {
            bookmark.title = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        } else if (name == QLatin1String("IsHidden")) {
            *hidden = isTrue(xml.readElementText(QXmlStreamReader::IncludeChildElements));
        } else if (name == QLatin1String("isSystemItem")) {
            bookmark.systemPlace =
                isTrue(xml.readElementText(QXmlStreamReader::IncludeChildElements));
        } else {
            ++depth;
        }
    }
    return bookmark;
}
}  // namespace

BookmarkSources DesktopBookmarkSources() {
    return {QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                QStringLiteral("/gtk-3.0/bookmarks"),
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                QStringLiteral("/user-places.xbel")};
}

std::vector<Bookmark> ReadGtkBookmarks(QByteArrayView text) {
    std::vector<Bookmark> bookmarks;
    const QString whole = QString::fromUtf8(text);
    for (QStringView line : QStringView(whole).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        const qsizetype space = line.indexOf(QLatin1Char(' '));
        const QStringView address = space < 0 ? line : line.left(space);
        if (address.isEmpty() || !urlScheme().match(address).hasMatch())
            continue;
        const QStringView title = space < 0 ? QStringView() : line.mid(space + 1).trimmed();
        bookmarks.push_back({address.toString(), title.toString()});
    }
    return bookmarks;
}

std::optional<std::vector<Bookmark>> ReadXbel(QByteArrayView text, QString* error) {
    std::vector<Bookmark> bookmarks;
    if (text.trimmed().isEmpty())
        return bookmarks;
    QXmlStreamReader xml(text.toByteArray());
    // KDE's own prefixes ("bookmark:icon") are read as plain names: a
    // prefix a writer forgot to declare is no reason to refuse its places.
    xml.setNamespaceProcessing(false);
    bool root = true;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (root && xml.name() != QLatin1String("xbel")) {
            *error = BookmarkTexts::notXbel();
            return std::nullopt;
        }
        root = false;
        if (xml.name() == QLatin1String("bookmark")) {
            bool hidden = false;
            Bookmark bookmark = readBookmark(xml, &hidden);
            if (!hidden)
                bookmarks.push_back(std::move(bookmark));
        }
    }
    if (xml.hasError()) {
        *error = BookmarkTexts::malformedAt(xml.errorString(), xml.lineNumber());
        return std::nullopt;
    }
    if (root) {
        *error = BookmarkTexts::notXbel();
        return std::nullopt;
    }
    return bookmarks;
}

std::optional<QString> LocalPathOf(const QString& address) {
    if (!address.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return std::nullopt;
    QStringView rest = QStringView(address).mid(5);
    if (rest.startsWith(QLatin1String("//"))) {
        rest = rest.mid(2);
        const qsizetype slash = rest.indexOf(QLatin1Char('/'));
        const QStringView host = slash < 0 ? rest : rest.left(slash);
        if (!host.isEmpty() && host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0)
            return std::nullopt;  // a file on another computer
        rest = slash < 0 ? QStringView() : rest.mid(slash);
    }
    if (!rest.startsWith(QLatin1Char('/')))
        return std::nullopt;
    QString path = NameFromBytes(QByteArray::fromPercentEncoding(rest.toUtf8()));
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

// Every byte but the unreserved ones and the separators is encoded, as
// GTK and KDE write their own.
QString AddressOf(const QString& path) {
    if (path.startsWith(QLatin1Char('/')))
        return QStringLiteral("file://") +
               QString::fromLatin1(path.toUtf8().toPercentEncoding(QByteArrayLiteral("/")));
    if (urlScheme().match(path).hasMatch())
        return path;
    return QString();
}
