// The browser's lists on the Qt side: what they show, what they report,
// and the background work that reads their directories.
#include "RecordingEvents.h"
#include "WarningsFail.h"
#include "platform/qt/ControlDrag.h"
#include "platform/qt/QtBackgroundWork.h"
#include "platform/qt/QtImageList.h"
#include "platform/qt/browser/BrowserListView.h"
#include "platform/qt/browser/QtBrowserLists.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QSemaphore>
#include <QTest>
#include <QThread>

using namespace Qt::Literals::StringLiterals;

namespace {
// A shown directory list: the chain /, /home and the subdirectories given.
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
    // The focus is told when the keyboard or the window brings it, not when
    // a click does: the pointer's hint says more then. The menu key and
    // Shift+F10, not F10 alone, ask for the list's menu.
    void theFocusAndTheMenuKeysAreTold() {
        DirList list({u"a"_s});
        list.events.focuses.clear();
        for (const Qt::FocusReason reason :
             {Qt::TabFocusReason, Qt::MouseFocusReason, Qt::ActiveWindowFocusReason}) {
            QFocusEvent in(QEvent::FocusIn, reason);
            QCoreApplication::sendEvent(&list.view, &in);
        }
        QCOMPARE(list.events.focuses, QStringList(2, u"Dir"_s));
        QTest::keyClick(&list.view, Qt::Key_Menu);
        QTest::keyClick(&list.view, Qt::Key_F10, Qt::ShiftModifier);
        QTest::keyClick(&list.view, Qt::Key_F10);
        QCOMPARE(list.events.only(u"Dir KeyDown"_s),
                 (QStringList{u"Dir KeyDown 93 0"_s, u"Dir KeyDown 121 1"_s}));
    }

    // A hundred thousand rows come in one go; the row the logic sets is
    // shown and not reported back. A click highlights, a double click or
    // Return opens; a right press and a move with the left button held (the
    // logic's, to begin a drag) are only reported and never move the row. Of
    // drags the list hears only the window's own, by the control they come
    // from; nothing is dropped on it.
    void rowsClicksDoubleClicksRightPressesAndDrags() {
        QStringList names;
        for (int i = 0; i < 100000; ++i)
            names << u"dir %1"_s.arg(i);
        DirList list(names);
        QCOMPARE(list.view.model()->rowCount(), 100002);
        list.port.setListIndex(99999);
        QCOMPARE(list.view.currentIndex().row(), 100001);
        list.port.setListIndex(-2);
        QVERIFY(list.view.currentIndex().row() == 0 && list.events.calls.isEmpty());
        QWidget* viewport = list.view.viewport();
        const QPoint at = list.onRow(4);
        QTest::mouseClick(viewport, Qt::LeftButton, {}, list.onRow(3));
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, list.onRow(3));
        QTest::mouseClick(viewport, Qt::RightButton, {}, at);
        QMouseEvent held(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &held);
        QTest::keyClick(&list.view, Qt::Key_Return);
        QCOMPARE(list.view.currentIndex().row(), 3);
        QCOMPARE(list.events.only(u"Dir Click"_s), QStringList{u"Dir Click 1"_s});
        QVERIFY(list.events.only(u"Dir DblClick"_s).size() == 2 &&
                list.events.calls.contains(u"Dir MouseMove 1"_s));
        std::unique_ptr<QMimeData> own(ControlDrag::dataFor(DragSource::DirList));
        QMimeData desktop;
        desktop.setUrls({QUrl::fromLocalFile(u"/etc/hosts"_s)});
        QDragEnterEvent enter(at, Qt::CopyAction, own.get(), Qt::LeftButton, {});
        QDragEnterEvent foreign(at, Qt::CopyAction, &desktop, Qt::LeftButton, {});
        QDropEvent drop(at, Qt::CopyAction, own.get(), Qt::LeftButton, {});
        for (QEvent* event : std::initializer_list<QEvent*>{&enter, &foreign, &drop})
            QCoreApplication::sendEvent(viewport, event);
        QVERIFY(enter.isAccepted() && !foreign.isAccepted() && !drop.isAccepted());
        QCOMPARE(list.events.only(u"Dir Drag"_s), QStringList{u"Dir DragOver 1 0"_s});
    }

    // What the logic sets before the window is built shows once it is. A
    // name shows on one line, and the byte of a name that was not UTF-8 as a
    // replacement character, as file managers show them.
    void theStateWaitsForTheWidget() {
        QtFileList port;
        port.setFiles({u"a.txt"_s, u"b\xdcff\t.txt"_s});
        port.setListIndex(1);
        port.setReading(true);
        port.setVisible(true);
        BrowserListView view;
        RecordingEvents events;
        port.setEvents(&events);
        port.bind(&view);
        const QString shown = view.currentIndex().data().toString();
        QVERIFY(view.model()->rowCount() == 2 && view.currentIndex().row() == 1);
        QVERIFY(view.isReading() && !view.isHidden() && events.calls.isEmpty());
        port.bind(nullptr);
        QCOMPARE(shown, u"b\ufffd\u2409.txt"_s);
    }

    // Work runs on a thread of its own and reports on this one, never from
    // within run(); once the work's owner is gone, what it found is dropped.
    void backgroundWorkReportsOnTheUserInterfaceThread() {
        QThread *worker = nullptr, *reporter = nullptr;
        {
            QtBackgroundWork work;
            work.run([&worker] { worker = QThread::currentThread(); },
                     [&reporter] { reporter = QThread::currentThread(); });
            QVERIFY(!reporter);
            QTRY_VERIFY(reporter == qApp->thread() && worker != reporter);
        }
        QSemaphore finish, gone;
        bool late = false;
        {
            QtBackgroundWork work;
            // Released when the work lets go of its report, on its thread.
            const auto goneOnRelease =
                std::shared_ptr<QSemaphore>(&gone, [](QSemaphore* s) { s->release(); });
            work.run([&finish] { finish.acquire(); }, [&late, goneOnRelease] { late = true; });
        }
        finish.release();
        gone.acquire();
        QCoreApplication::processEvents();
        QVERIFY(!late);
    }
};

QTEST_MAIN(TestQtBrowserLists)
#include "test_qt_browser_lists.moc"
