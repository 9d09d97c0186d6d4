#include "WarningsFail.h"
#include "icons/ItemIcons.h"
#include "platform/qt/QtImageList.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// The item icons as the program draws them: the desktop theme's pictures
// for the path's type, through the real image list.
class TestQtItemIcons : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // Each lookup appends a picture of its own, even for the same path; the
    // theme draws each type apart, at 16 by 16 and not filled out.
    // A path without an icon shows the leaf and adds nothing.
    void eachLookupAppendsTheTypesOwnPicture() {
        QTemporaryDir temp;
        QtImageList images;
        ItemIcons icons(images);
        QCOMPARE(icons.GetItemIcon(temp.filePath(u"gone.txt"_s)), 3);
        QStringList drawnAs;
        for (const QString& name : {u"notes.txt"_s, u"run.sh"_s, u"song.mp3"_s, u"Photos"_s}) {
            QVERIFY(name == u"Photos"_s ? QDir(temp.path()).mkdir(name)
                                        : QFile(temp.filePath(name)).open(QIODevice::WriteOnly));
            QCOMPARE(icons.GetItemIcon(temp.filePath(name)), 4 + drawnAs.size());
            const QImage small = images.icon(4 + drawnAs.size())
                                     .pixmap(16, 16)
                                     .toImage()
                                     .convertToFormat(QImage::Format_ARGB32);
            const auto* pixels = reinterpret_cast<const QRgb*>(small.constBits());
            QVERIFY2(small.size() == QSize(16, 16) &&
                         std::any_of(pixels, pixels + 256, [](QRgb p) { return qAlpha(p) == 0; }),
                     qPrintable(name));
            drawnAs << images.icon(4 + drawnAs.size()).name();
        }
        QCOMPARE(icons.GetItemIcon(temp.filePath(u"notes.txt"_s)), 8);
        drawnAs.removeDuplicates();
        QCOMPARE(drawnAs.size(), 4);

        // A dragged item shows its icon at its own size amid a clear 32 by 32.
        const QImage picture = images.dragPicture(u"8"_s).toImage();
        const QImage icon = images.icon(8).pixmap(16, 16).toImage();
        QCOMPARE(picture.copy(8, 8, 16, 16).convertToFormat(icon.format()), icon);
        for (const QPoint clear : {QPoint(0, 0), QPoint(31, 31), QPoint(7, 16), QPoint(24, 16)})
            QCOMPARE(qAlpha(picture.pixel(clear)), 0);
    }
};

QTEST_MAIN(TestQtItemIcons)
#include "test_qt_item_icons.moc"
