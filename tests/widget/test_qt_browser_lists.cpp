// The browser's lists on the Qt side: what they show, what they report,
// and the background work that reads their directories.
#include "RecordingEvents.h"
#include "WarningsFail.h"
#include "platform/qt/BrowserListView.h"
#include "platform/qt/ControlDrag.h"
#include "platform/qt/QtBackgroundWork.h"
#include "platform/qt/QtBrowserLists.h"
#include "platform/qt/QtDriveList.h"
#include "platform/qt/QtImageList.h"

#include <QAbstractItemModelTester>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QSemaphore>
#include <QTest>
#include <QThread>

using namespace Qt::Literals::StringLiterals;

namespace {
// A shown directory list whose events are recorded: the chain /, /home and
// the subdirectories names given.
struct DirList {
    explicit DirList(const QStringList& names) {
        port.setEvents(&events);
        port.setEntries({u"/"_s, u"/home"_s}, names);
        port.bind(&view);
        view.resize(240, 300);
        view.show();
        if (!QTest::qWaitForWindowExposed(&view))
            qFatal("the list is not shown");
        events.calls.clear();
    }
    ~DirList() { port.bind(nullptr); }
    QPoint onRow(int row) const { return view.visualRect(view.model()->index(row, 0)).center(); }

    QtImageList images;
    RecordingEvents events;
    QtDirList port{images};
    BrowserListView view;
};

}  // namespace

class TestQtBrowserLists : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // A hundred thousand rows come in one reset; the row the logic sets is
    // shown and not reported back.
    void aHundredThousandRowsInOneGo() {
        QStringList names;
        for (int i = 0; i < 100000; ++i)
            names << u"dir %1"_s.arg(i, 6, 10, QChar(u'0'));
        names[7] = u"two\nlines"_s;
        DirList list(names);
        QAbstractItemModelTester tester(&list.port.model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModel& model = *list.view.model();
        QCOMPARE(model.rowCount(), 100002);
        const auto data = [&model](int row, int role = Qt::DisplayRole) {
            return model.index(row, 0).data(role);
        };
        QStringList texts;
        for (const int row : {0, 1, 2, 9})
            texts << data(row).toString();
        QCOMPARE(texts, (QStringList{u"/"_s, u"home"_s, u"dir 000000"_s, u"two\u240Alines"_s}));
        QCOMPARE(data(1, BrowserListModel::DepthRole).toInt(), 1);
        QCOMPARE(data(100001, BrowserListModel::DepthRole).toInt(), 2);
        list.port.setListIndex(99999);
        QCOMPARE(list.view.currentIndex().row(), 100001);
        list.port.setListIndex(-2);
        QCOMPARE(list.view.currentIndex().row(), 0);
        QVERIFY(list.events.calls.isEmpty());
    }

    // A click highlights (the view moves the current row, which is
    // reported), a double click or Return opens; a right press is only
    // reported: the row stays and no menu of the view's own opens.
    void clicksDoubleClicksAndRightPresses() {
        DirList list({u"a"_s, u"b"_s, u"c"_s});
        QTest::mouseClick(list.view.viewport(), Qt::LeftButton, {}, list.onRow(3));
        QCOMPARE(list.events.calls,
                 (QStringList{u"Dir MouseDown 1"_s, u"Dir Click 1"_s, u"Dir MouseUp 1"_s}));
        list.events.calls.clear();
        QTest::mouseDClick(list.view.viewport(), Qt::LeftButton, {}, list.onRow(3));
        QCOMPARE(list.events.only(u"Dir DblClick"_s).size(), 1);
        list.events.calls.clear();
        QTest::mousePress(list.view.viewport(), Qt::RightButton, {}, list.onRow(4));
        QTest::mouseRelease(list.view.viewport(), Qt::RightButton, {}, list.onRow(4));
        QCOMPARE(list.events.calls, (QStringList{u"Dir MouseDown 2"_s, u"Dir MouseUp 2"_s}));
        QCOMPARE(list.view.currentIndex().row(), 3);
        // A move with the left button held is the logic's (it begins a
        // drag), never a selection dragged along.
        const QPoint below = list.onRow(4);
        QMouseEvent held(QEvent::MouseMove, below, list.view.viewport()->mapToGlobal(below),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list.view.viewport(), &held);
        QCOMPARE(list.view.currentIndex().row(), 3);
        list.events.calls.clear();
        QTest::keyClick(&list.view, Qt::Key_Up);
        QTest::keyClick(&list.view, Qt::Key_Return);
        QCOMPARE(list.events.calls, (QStringList{u"Dir Click 0"_s, u"Dir DblClick"_s}));
    }

    // The list hears of the window's own drags only, by the control they
    // come from; nothing is dropped on it.
    void dragsOverTheListAreToldByTheirSource() {
        DirList list({u"a"_s});
        QWidget* viewport = list.view.viewport();
        const QPoint at = list.onRow(1);
        std::unique_ptr<QMimeData> own(ControlDrag::dataFor(DragSource::DirList));
        QDragEnterEvent enter(at, Qt::CopyAction, own.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(viewport, &enter);
        QVERIFY(enter.isAccepted());
        QDragMoveEvent move(at, Qt::CopyAction, own.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(viewport, &move);
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(viewport, &leave);
        QCOMPARE(list.events.calls, (QStringList{u"Dir DragOver 1 0"_s, u"Dir DragOver 1 2"_s,
                                                 u"Dir DragOver 1 1"_s}));
        list.events.calls.clear();
        QMimeData desktop;
        desktop.setUrls({QUrl::fromLocalFile(u"/etc/hosts"_s)});
        QDragEnterEvent foreign(at, Qt::CopyAction, &desktop, Qt::LeftButton, {});
        QCoreApplication::sendEvent(viewport, &foreign);
        QVERIFY(!foreign.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, own.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(viewport, &drop);
        QVERIFY(!drop.isAccepted());
        QVERIFY(list.events.calls.isEmpty());
    }

    // What the logic sets before the window is built shows once it is.
    void theStateWaitsForTheWidget() {
        QtFileList port;
        port.setFiles({u"a.txt"_s, u"b.txt"_s});
        port.setListIndex(1);
        port.setReading(true);
        port.setVisible(true);
        BrowserListView view;
        RecordingEvents events;
        port.setEvents(&events);
        port.bind(&view);
        QCOMPARE(view.model()->rowCount(), 2);
        QCOMPARE(view.currentIndex().row(), 1);
        QVERIFY(view.isReading() && !view.isHidden());
        QVERIFY(events.calls.isEmpty());
        port.bind(nullptr);
    }

    // The user's pick of another drive is reported; what the logic sets is
    // not; the list about to open asks for the drives anew.
    void theDriveListReportsOnlyTheUsersPick() {
        RecordingEvents events;
        QtDriveList port;
        port.setEvents(&events);
        port.setDrives({u"/"_s, u"/media/stick"_s});
        port.setCurrent(u"/mnt/share"_s);  // not among them: added
        DriveListBox box;
        port.bind(&box);
        QCOMPARE(box.currentText(), u"/mnt/share"_s);
        port.setCurrent(u"/"_s);
        QCOMPARE(box.count(), 2);  // the one added is gone again
        QVERIFY(events.calls.isEmpty());
        Q_EMIT box.activated(1);
        Q_EMIT box.activated(1);  // picked again: no change
        QCOMPARE(events.calls, QStringList{u"DriveChange /media/stick"_s});
        box.show();
        box.showPopup();
        QCOMPARE(events.calls.last(), u"DriveDropDown"_s);
        box.hidePopup();
        port.bind(nullptr);
    }

    // Work runs on a thread of its own and reports on this one; once the
    // work's owner is gone, what it found is dropped.
    void backgroundWorkReportsOnTheUserInterfaceThread() {
        QThread* worker = nullptr;
        bool done = false;
        {
            QtBackgroundWork work;
            work.run([&worker] { worker = QThread::currentThread(); },
                     [&done] {
                         QVERIFY(QThread::currentThread() == qApp->thread());
                         done = true;
                     });
            QVERIFY(!done);  // never from within run()
            QTRY_VERIFY(done);
            QVERIFY(worker && worker != qApp->thread());
        }
        QSemaphore started, finish, gone;
        bool late = false;
        {
            QtBackgroundWork work;
            // A share released when the work's report is let go of, on its thread.
            auto goneOnRelease =
                std::shared_ptr<QSemaphore>(&gone, [](QSemaphore* s) { s->release(); });
            work.run(
                [&started, &finish] {
                    started.release();
                    finish.acquire();
                },
                [&late, goneOnRelease] { late = true; });
            goneOnRelease.reset();
            started.acquire();
            QCOMPARE(work.running(), 1);
        }
        finish.release();
        gone.acquire();
        QCoreApplication::processEvents();
        QVERIFY(!late);
    }
};

QTEST_MAIN(TestQtBrowserLists)
#include "test_qt_browser_lists.moc"
