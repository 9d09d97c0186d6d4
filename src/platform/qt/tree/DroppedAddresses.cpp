#include "DroppedAddresses.h"

#include "files/WebAddress.h"

#include <QMimeData>
#include <QStringList>
#include <QtEndian>

namespace {
const QString MozUrl = QStringLiteral("text/x-moz-url");
const QString NetscapeUrl = QStringLiteral("_NETSCAPE_URL");

// Mozilla writes its links in UTF-16 of the machine's byte order, with or
// without a byte order mark; some programs write UTF-8 under the same name.
// Without a mark, the NUL half of the first (ASCII) character tells the
// order.
QString FromUtf16OrUtf8(const QByteArray& bytes) {
    if (bytes.size() < 2 || bytes.size() % 2 != 0 || !bytes.contains('\0'))
        return QString::fromUtf8(bytes);
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    bool little = data[1] == 0 && data[0] != 0;
    qsizetype start = 0;
    if (data[0] == 0xFF && data[1] == 0xFE) {
        little = true;
        start = 2;
    } else if (data[0] == 0xFE && data[1] == 0xFF) {
        little = false;
        start = 2;
    }
    QString text;
    text.reserve((bytes.size() - start) / 2);
    for (qsizetype i = start; i + 1 < bytes.size(); i += 2) {
        const char16_t unit =
            little ? qFromLittleEndian<char16_t>(data + i) : qFromBigEndian<char16_t>(data + i);
        text.append(QChar(unit));
    }
    return text;
}

// Lines without their CRs; a NUL ends the text, as some sources end it so.
QStringList LinesOf(QString text) {
    if (const qsizetype nul = text.indexOf(QChar(u'\0')); nul != -1)
        text.truncate(nul);
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

// Address and title pairs, one line each; a last address may come alone.
void ReadPairs(const QStringList& lines, DroppedAddresses& into, bool takeUrls) {
    for (qsizetype i = 0; i < lines.size(); i += 2) {
        const QUrl url(lines[i].trimmed());
        if (!url.isValid() || url.isEmpty())
            continue;
        if (takeUrls)
            into.urls << url;
        const QString title = i + 1 < lines.size() ? lines[i + 1] : QString();
        const QString address = url.toString(QUrl::FullyEncoded);
        if (!title.trimmed().isEmpty() && !into.titles.contains(address))
            into.titles.insert(address, title);
    }
}
}  // namespace

DroppedAddresses ReadDroppedAddresses(const QMimeData& mime, bool withTitles) {
    DroppedAddresses read;
    if (mime.hasUrls())
        read.urls = mime.urls();
    const bool listed = !read.urls.isEmpty();
    bool paired = false;
    for (const QString& format : {MozUrl, NetscapeUrl}) {
        if (!mime.hasFormat(format) || (!withTitles && (listed || paired)))
            continue;
        const QByteArray bytes = mime.data(format);
        ReadPairs(LinesOf(format == MozUrl ? FromUtf16OrUtf8(bytes) : QString::fromUtf8(bytes)),
                  read, !listed && !paired);
        paired = paired || !read.urls.isEmpty();
    }
    // Plain text counts only as a list of bare web addresses, one a line:
    // a dragged sentence that holds one is no link.
    if (read.urls.isEmpty() && mime.hasText()) {
        for (const QString& line : LinesOf(mime.text())) {
            const QString address = line.trimmed();
            if (address.isEmpty())
                continue;
            if (!IsWebAddress(address) || address.contains(QLatin1Char(' ')))
                return {};
            read.urls << QUrl(address);
        }
    }
    return read;
}
