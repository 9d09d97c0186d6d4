// What the tree filter costs a keystroke in the shown window over a large
// tree: a settings file (bench/make_tree_ini.py writes one of real labels
// and paths) is read and shown, the filter line opened, and a word typed a
// letter at a time. For each keystroke: the pass of the matcher over every
// label and path alone, the handling of the change (finding the nodes,
// hiding and opening rows), and the whole until the window has been drawn.
// Then Escape, until the whole tree is drawn again. Best of five each. Run
// by hand, on any display (offscreen will do):
//   bench/filter_pause SETTINGS [WORD]     (default WORD: "share")
#include "RealWindow.h"
#include "find/NodeMatch.h"
#include "platform/qt/window/MainWindowWidget.h"
#include "platform/qt/window/QtMainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <cstdio>

namespace {
double msSince(const QElapsedTimer& clock) {
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// The window drawn with whatever the last change left to lay out.
void drawn(QWidget* window) {
    QCoreApplication::processEvents();
    window->repaint();
}

double matchPass(const NodeTree& tree, const QString& typed, int* found) {
    QElapsedTimer clock;
    clock.start();
    const TextMatch match(typed);
    int count = 0;
    for (const TreeNode* node = tree.First(); node; node = NodeTree::NextInDocumentOrder(node))
        count += RankNode(match, *node) != MatchRank::None;
    *found = count;
    return msSince(clock);
}
}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: filter_pause SETTINGS [WORD]\n");
        return 2;
    }
    const QString word = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("share");
    QTemporaryDir temp;
    if (!QFile::copy(QString::fromLocal8Bit(argv[1]),
                     RealWindow::pathsIn(temp.path()).settingsPath))
        return 1;
    RealWindow real(temp.path());
    if (!real.loaded)
        return 1;
    FrmVarnel& frm = real.frm;
    frm.ShowWindow();
    QWidget* window = real.platform.window().widget();
    while (!window->windowHandle() || !window->windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    drawn(window);
    std::printf("%d nodes\n", frm.tree().Count());
    QLineEdit* line = real.platform.window().widget()->filterLine();

    double escape = 1e9;
    std::vector<double> pass(word.size(), 1e9), change(word.size(), 1e9), whole(word.size(), 1e9);
    std::vector<int> found(word.size()), kept(word.size());
    for (int run = 0; run < 5; ++run) {
        frm.filter().FilterKey_Press();
        for (qsizetype n = 1; n <= word.size(); ++n) {
            const QString typed = word.left(n);
            const auto i = std::size_t(n - 1);
            pass[i] = std::min(pass[i], matchPass(frm.tree(), typed, &found[i]));
            QElapsedTimer clock;
            clock.start();
            line->setText(typed);              // told to the logic as typing is
            frm.filter().FilterTimer_Timer();  // the typing pauses here
            change[i] = std::min(change[i], msSince(clock));
            drawn(window);
            whole[i] = std::min(whole[i], msSince(clock));
            kept[i] = int(frm.filter().Kept().size());
        }
        QElapsedTimer clock;
        clock.start();
        frm.filter().FilterLine_Escape();
        drawn(window);
        escape = std::min(escape, msSince(clock));
    }
    for (std::size_t i = 0; i < pass.size(); ++i)
        std::printf(
            "\"%s\": %d found, %d rows kept; matcher %.1f ms, change %.1f ms, "
            "drawn %.1f ms\n",
            qPrintable(word.left(qsizetype(i + 1))), found[i], kept[i], pass[i], change[i],
            whole[i]);
    std::printf("Escape, whole tree drawn again: %.1f ms\n", escape);
    frm.settings().StopTimer();
    // The paths the window looked at are still being looked at: their
    // threads must end before the program does.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return 0;
}
