#include "WebAddress.h"

#include <QUrl>
#include <array>

namespace {
// Each scheme with what must follow its colon; an address names something
// after that.
constexpr std::array<QStringView, 3> Starts{u"http://", u"https://", u"mailto:"};

// Whitespace of any kind, line breaks and TABs among them, as one blank: a
// label is one line, and the settings file keeps no TAB in it.
QString OneLineLabel(const QString& text) {
    return text.simplified();
}
}  // namespace

bool IsWebAddress(QStringView path) {
    for (const QStringView start : Starts) {
        if (path.size() > start.size() && path.startsWith(start, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QString WebAddressLabel(const QString& address, const QString& title) {
    if (QString label = OneLineLabel(title); !label.isEmpty())
        return label;
    const QUrl url(address);
    QString label;
    if (url.scheme().compare(QLatin1String("mailto"), Qt::CaseInsensitive) == 0) {
        label = url.path(QUrl::FullyDecoded);
    } else {
        QString path = url.path(QUrl::FullyDecoded);
        while (path.endsWith(QLatin1Char('/')))
            path.chop(1);
        label = url.host(QUrl::FullyDecoded) + path;
    }
    label = OneLineLabel(label);
    return label.isEmpty() ? OneLineLabel(address) : label;
}
