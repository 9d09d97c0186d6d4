// What item icons cost when the window is first shown: a settings file of
// many items whose stored image is an icon index (each is looked up anew
// in the desktop's icon theme) against the same file with "leaf" items.
// Times ShowWindow (reading the settings, laying out, showing) until the
// window has been drawn, best of five. Run by hand, on any display:
//   bench/icons_load [ITEMS]        (default 10000)
#include "RealWindow.h"
#include "platform/qt/window/MainWindowWidget.h"
#include "platform/qt/window/QtMainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <cstdio>

namespace {
// File names of the kinds a user keeps shortcuts to, and one the type of
// which only the content tells.
const char* const Kinds[] = {"%1.txt", "%1.pdf", "%1.png",  "%1.mp3", "%1.odt",
                             "%1.sh",  "%1.zip", "%1.html", "%1.c",   "README %1"};

bool writeSettings(const QString& path, const QStringList& files, const QString& image) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray text = "Path=False\r\n";
    for (int i = 0; i < files.size(); ++i)
        text += QStringLiteral("Node=Item %1\t%2\t%3\t\tFalse\t0\tFalse\r\n")
                    .arg(i)
                    .arg(files[i], image)
                    .toUtf8();
    return file.write(text) == text.size();
}

int loaded = 0;  // nodes the last showing read

// Milliseconds from ShowWindow until the shown window has been drawn.
qint64 showOnce(const QString& directory) {
    RealWindow real(directory);
    if (!real.loaded)
        return -1;
    FrmVarnel& frm = real.frm;
    QElapsedTimer clock;
    clock.start();
    frm.ShowWindow();
    QWidget* window = real.platform.window().widget();
    while (!window->windowHandle() || !window->windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    window->repaint();
    const qint64 elapsed = clock.elapsed();
    loaded = frm.tree().Count();
    frm.settings().StopTimer();
    return elapsed;
}

qint64 bestOfFive(const QString& directory, const QString& image, const QStringList& files) {
    qint64 best = -1;
    for (int run = 0; run < 5; ++run) {
        if (!writeSettings(RealWindow::pathsIn(directory).settingsPath, files, image))
            return -1;
        const qint64 ms = showOnce(directory);
        if (ms < 0 || loaded != files.size())
            return -1;
        best = best < 0 ? ms : std::min(best, ms);
    }
    return best;
}
}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int items = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    QTemporaryDir temp;
    QStringList files;
    for (int i = 0; i < items; ++i) {
        files << temp.filePath(QString::fromLatin1(Kinds[i % std::size(Kinds)]).arg(i));
        QFile file(files.back());
        if (!file.open(QIODevice::WriteOnly))
            return 1;
    }
    const qint64 leaves = bestOfFive(temp.path(), QStringLiteral("leaf"), files);
    const qint64 icons = bestOfFive(temp.path(), QStringLiteral("4"), files);
    if (leaves < 0 || icons < 0)
        return 1;
    std::printf("%d items shown: leaf %lld ms, icons %lld ms, icons cost %lld ms\n", items,
                static_cast<long long>(leaves), static_cast<long long>(icons),
                static_cast<long long>(icons - leaves));
    return 0;
}
