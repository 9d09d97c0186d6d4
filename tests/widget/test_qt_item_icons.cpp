#include "WarningsFail.h"
#include "files/PathChecks.h"
#include "icons/ItemIcons.h"
#include "model/NodeTree.h"
#include "platform/qt/QtBackgroundWork.h"
#include "platform/qt/QtImageList.h"
#include "platform/qt/QtTimerFactory.h"

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
    // One picture per kind, however many items show it; the theme draws
    // each kind apart. A name that says nothing is typed by its content. A
    // path that is not there shows the leaf and adds nothing.
    void eachKindHasOnePicture() {
        QTemporaryDir temp;
        QtImageList images;
        QtBackgroundWork work;
        QtTimerFactory timers;
        PathChecks checks(work, timers, {});
        NodeTree tree;
        ItemIcons icons(images, checks, tree, timers);
        const auto indexOf = [&](const QString& name) {
            return icons.GetItemIcon(LookUpIconKind(temp.filePath(name)));
        };
        QCOMPARE(indexOf(u"gone.txt"_s), 3);
        QCOMPARE(images.count(), 3);
        QFile script(temp.filePath(u"start"_s));
        QVERIFY(script.open(QIODevice::WriteOnly) && script.write("#!/bin/sh\necho\n") > 0);
        script.close();
        QVERIFY(QDir(temp.path()).mkdir(u"Photos"_s));
        for (const QString& name : {u"notes.txt"_s, u"more.txt"_s, u"run.sh"_s, u"song.mp3"_s})
            QVERIFY(QFile(temp.filePath(name)).open(QIODevice::WriteOnly));
        const QList<int> found{indexOf(u"notes.txt"_s), indexOf(u"more.txt"_s),
                               indexOf(u"run.sh"_s),    indexOf(u"start"_s),
                               indexOf(u"song.mp3"_s),  indexOf(u"Photos"_s)};
        QCOMPARE(found, (QList<int>{4, 4, 5, 5, 6, 7}));
        QStringList drawnAs;
        for (int index = 4; index <= 7; ++index)
            drawnAs << images.icon(index).name();
        drawnAs.removeDuplicates();
        QCOMPARE(drawnAs.size(), 4);

        // A dragged item shows its icon at its own size amid a clear 32 by 32.
        const QImage picture = images.dragPicture(u"7"_s).toImage();
        const QImage icon = images.icon(7).pixmap(16, 16).toImage();
        QCOMPARE(picture.copy(8, 8, 16, 16).convertToFormat(icon.format()), icon);
        QVERIFY(picture.size() == QSize(32, 32) && qAlpha(picture.pixel(0, 0)) == 0);
    }
};

QTEST_MAIN(TestQtItemIcons)
#include "test_qt_item_icons.moc"
