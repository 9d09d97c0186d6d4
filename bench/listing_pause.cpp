// The longest pause of the user-interface thread while the shown window's
// browser opens a directory of many files: the real platform and logic, a
// timer that wants to tick every millisecond, and the largest gap between
// its ticks from the double click until the lists hold every entry and have
// been drawn. Run by hand, on any display (offscreen will do):
//   bench/listing_pause [FILES]        (default 100000)
#include "RealWindow.h"
#include "platform/qt/browser/BrowserListView.h"
#include "platform/qt/window/MainWindowWidget.h"
#include "platform/qt/window/QtMainWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {
// Runs the event loop until the condition holds or ten seconds have gone.
bool waitFor(const std::function<bool()>& condition) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > 10000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}
}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int files = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    QTemporaryDir temp;
    const QString big = temp.filePath(QStringLiteral("big"));
    QDir().mkpath(big);
    for (int i = 0; i < files; ++i) {
        QFile file(big + QStringLiteral("/file %1.txt").arg(i));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
    }
    RealWindow window(temp.path());
    if (!window.loaded)
        return 1;
    FrmVarnel& frm = window.frm;
    QtPlatform& platform = window.platform;
    frm.ShowWindow();
    BrowserListView* fileList = platform.window().widget()->fileList();
    if (!waitFor([&frm] { return frm.browser().SubdirectoryCount() == 1; }))
        return 1;

    qint64 longest = 0;
    QElapsedTimer sinceTick;
    sinceTick.start();
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout,
                     [&] { longest = std::max(longest, sinceTick.restart()); });
    probe.start(1);
    QElapsedTimer opening;
    opening.start();
    frm.browserMouse().DirList_Click(0);
    frm.browserMouse().DirList_DblClick();
    const bool listed = waitFor([&] { return fileList->model()->rowCount() == files; });
    const qint64 toListed = opening.elapsed();
    frm.browser().dlViewFiles_Click();  // the file list shows its rows
    waitFor([&] { return opening.elapsed() > toListed + 500; });
    std::printf("%s: %d files listed in %lld ms; longest pause of the event loop %lld ms\n",
                listed ? "ok" : "incomplete", files, static_cast<long long>(toListed),
                static_cast<long long>(longest));
    return listed ? 0 : 1;
}
