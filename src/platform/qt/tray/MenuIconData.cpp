#include "MenuIconData.h"

#include "platform/qt/QtImageList.h"

#include <QBuffer>
#include <QPixmap>

QByteArray MenuIconData::of(const QString& image) {
    if (image.isEmpty())
        return {};
    if (const auto known = drawn_.constFind(image); known != drawn_.cend())
        return *known;
    QByteArray png;
    ++drawings_;
    const QPixmap picture = images_.iconFor(image).pixmap(Size, Size);
    if (!picture.isNull()) {
        QBuffer out(&png);
        out.open(QIODevice::WriteOnly);
        picture.save(&out, "PNG");
    }
    drawn_.insert(image, png);
    return png;
}
