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
    // Each lookup appends a picture of its own, even for the same path, and
    // the theme draws each type apart. A path without an icon shows the leaf
    // and adds nothing.
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
            drawnAs << images.icon(4 + drawnAs.size()).name();
        }
        QCOMPARE(icons.GetItemIcon(temp.filePath(u"notes.txt"_s)), 8);
        drawnAs.removeDuplicates();
        QCOMPARE(drawnAs.size(), 4);

        // A dragged item shows its icon at its own size amid a clear 32 by 32.
        const QImage picture = images.dragPicture(u"8"_s).toImage();
        const QImage icon = images.icon(8).pixmap(16, 16).toImage();
        QCOMPARE(picture.copy(8, 8, 16, 16).convertToFormat(icon.format()), icon);
        QVERIFY(picture.size() == QSize(32, 32) && qAlpha(picture.pixel(0, 0)) == 0);
    }
};

QTEST_MAIN(TestQtItemIcons)
#include "test_qt_item_icons.moc"
