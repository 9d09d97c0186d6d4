// How long the shown window is blocked while many files dropped from the
// desktop onto empty tree space become items: the real platform and logic,
// real files (each item asks for its icon), the drop handler's own time and
// the time until the view has taken the new rows in and drawn them. Two
// drops in a row: the second lands in a tree that holds the first. Run by
// hand, on any display (offscreen will do):
//   bench/drop_pause [FILES]        (default 10000)
#include "RealWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int files = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    QTemporaryDir temp;
    ShellDropData dropped{true, {}};
    for (int i = 0; i < files; ++i) {
        const QString path = temp.filePath(QStringLiteral("file %1.txt").arg(i));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        dropped.paths << path;
    }
    RealWindow window(temp.path());
    if (!window.loaded)
        return 1;
    FrmVarnel& frm = window.frm;
    frm.ShowWindow();
    QCoreApplication::processEvents();

    bool complete = true;
    for (int round = 1; round <= 2; ++round) {
        QElapsedTimer clock;
        clock.start();
        // Below every row: the tree is empty, or its rows end above.
        frm.externalDrop().TreeView_OLEDragDrop(dropped, 100, 1e7f);
        const qint64 handler = clock.elapsed();
        QCoreApplication::processEvents();  // the view lays out and draws the new rows
        const qint64 total = clock.elapsed();
        complete = complete && frm.tree().Count() == round * files;
        std::printf("drop %d: %d files onto %d nodes: handler %lld ms, shown after %lld ms\n",
                    round, files, (round - 1) * files, static_cast<long long>(handler),
                    static_cast<long long>(total));
    }
    return complete ? 0 : 1;
}
