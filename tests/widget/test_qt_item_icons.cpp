#include "WarningsFail.h"
#include "icons/ItemIcons.h"
#include "platform/qt/QtImageList.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
// True when some pixel of the picture lets the background through.
bool hasTransparentPixels(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) == 0)
                return true;
        }
    }
    return false;
}
}  // namespace

// The item icons as the program draws them: the desktop theme's pictures
// for the path's type, through the real image list.
class TestQtItemIcons : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        QVERIFY(temp.isValid());
        for (const QString& name : {u"notes.txt"_s, u"run.sh"_s, u"song.mp3"_s})
            QVERIFY(QFile(temp.filePath(name)).open(QIODevice::WriteOnly));
        QVERIFY(QDir(temp.path()).mkdir(u"Photos"_s));
    }

    void pathsWithoutAnIconShowTheLeafAndAddNothing() {
        QtImageList images;
        ItemIcons icons(images);
        QCOMPARE(icons.GetItemIcon(QString()), 3);
        QCOMPARE(icons.GetItemIcon(temp.filePath(u"gone.txt"_s)), 3);
        QCOMPARE(images.count(), 3);
    }

    // Every lookup appends a picture of its own, even for the same path;
    // the theme draws each type apart, at 16 by 16 with its own
    // transparent corners.
    void eachLookupAppendsTheTypesOwnPicture() {
        QtImageList images;
        ItemIcons icons(images);
        const QString notes = temp.filePath(u"notes.txt"_s);
        QCOMPARE(icons.GetItemIcon(notes), 4);
        QCOMPARE(icons.GetItemIcon(notes), 5);
        QCOMPARE(images.count(), 5);
        QVERIFY(images.indexOf(u"K1"_s) == 4 && images.indexOf(u"K2"_s) == 5);

        QStringList drawnAs;
        for (const QString& name : {u"notes.txt"_s, u"run.sh"_s, u"song.mp3"_s, u"Photos"_s}) {
            const int index = icons.GetItemIcon(temp.filePath(name));
            QVERIFY2(index > 5, qPrintable(name + u" has no icon of its own"_s));
            const QPixmap small = images.icon(index).pixmap(16, 16);
            QCOMPARE(small.size(), QSize(16, 16));
            QVERIFY2(hasTransparentPixels(small.toImage()), qPrintable(name));
            drawnAs << images.icon(index).name();
        }
        drawnAs.removeDuplicates();
        QCOMPARE(drawnAs.size(), 4);
    }

    // A dragged item shows its icon at its own size in the middle of a
    // clear 32 by 32 picture.
    void anItemsDragPictureCentresItsIcon() {
        QtImageList images;
        ItemIcons icons(images);
        const int index = icons.GetItemIcon(temp.filePath(u"notes.txt"_s));
        const QImage picture = images.dragPicture(QString::number(index)).toImage();
        QCOMPARE(picture.size(), QSize(32, 32));
        const QImage icon = images.icon(index).pixmap(16, 16).toImage();
        QCOMPARE(picture.copy(8, 8, 16, 16).convertToFormat(icon.format()), icon);
        for (const QPoint corner : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31),
                                    QPoint(7, 16), QPoint(24, 16)})
            QCOMPARE(qAlpha(picture.pixel(corner)), 0);
    }

private:
    QTemporaryDir temp;
};

QTEST_MAIN(TestQtItemIcons)
#include "test_qt_item_icons.moc"
