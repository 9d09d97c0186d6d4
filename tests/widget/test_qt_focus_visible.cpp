// Where the keyboard is shows: the focused list or tree wears a frame, the
// others grey their selection, in light and dark palettes alike; the first
// showing starts in the tree; the one-line controls fit a large font; the
// status bar's long hint ends in an ellipsis and shows whole in its tip.
#include "WarningsFail.h"
#include "platform/qt/FocusColours.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/browser/BrowserListView.h"
#include "platform/qt/browser/QtDriveList.h"
#include "platform/qt/tree/NodeTreeView.h"
#include "platform/qt/window/HintLabel.h"
#include "platform/qt/window/MainWindowWidget.h"
#include "platform/qt/window/QtMainWindow.h"
#include "tree/HoverHelp.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QStringListModel>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using FocusColours::Contrast;

namespace {
QPalette paletteOf(const char* window, const char* base, const char* highlight) {
    QPalette palette;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, QColor::fromString(QLatin1String(window)));
        palette.setColor(group, QPalette::Base, QColor::fromString(QLatin1String(base)));
        palette.setColor(group, QPalette::Highlight, QColor::fromString(QLatin1String(highlight)));
        palette.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    return palette;
}

// Two lists side by side, the first row of each selected.
struct TwoLists {
    TwoLists() {
        auto* row = new QHBoxLayout(&window);
        for (BrowserListView* list : {&left, &right}) {
            list->setModel(&model);
            list->setCurrentIndex(model.index(0, 0));
            row->addWidget(list);
        }
        window.resize(400, 200);
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("the window is not active");
    }
    // The colour on the list's left edge, half-way down, as the window shows
    // it: the frame's two pixels, or none where they differ.
    QRgb edgeOf(BrowserListView& list) {
        const QImage shot = window.grab().toImage();
        const QRgb outer = shot.pixel(list.mapTo(&window, QPoint(0, 100)));
        return shot.pixel(list.mapTo(&window, QPoint(1, 100))) == outer ? outer : 0;
    }
    QRgb selectionOf(BrowserListView& list) {
        const QRect row = list.visualRect(model.index(0, 0));
        const QPoint inRow(row.center().x(),
                           row.top() + 3);  // clear of the text and the focus rect
        return window.grab().toImage().pixel(list.viewport()->mapTo(&window, inRow));
    }

    QStringListModel model{{u"a"_s, u"b"_s}};
    QWidget window;
    BrowserListView left{&window};
    BrowserListView right{&window};
};
}  // namespace

class TestFocusVisible : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    void coloursReachThreeToOne_data() {
        QTest::addColumn<QPalette>("palette");
        QTest::addColumn<bool>("frameBeatsSelection");  // some colour can
        QTest::newRow("breeze dark") << paletteOf("#31363b", "#232629", "#3daee9") << false;
        QTest::newRow("pale selection") << paletteOf("#ffffff", "#ffffff", "#cce8ff") << true;
    }
    // The frame stands out from the window and the list at 3:1, and from the
    // selection wherever any colour can; the greyed selection stands out
    // from the list, is not the focused one's, and its text reads on it.
    void coloursReachThreeToOne() {
        QFETCH(QPalette, palette);
        QFETCH(bool, frameBeatsSelection);
        const QColor window = palette.color(QPalette::Window);
        const QColor base = palette.color(QPalette::Base);
        const QColor selection = palette.color(QPalette::Highlight);
        const QColor frame = FocusColours::FocusFrame(palette);
        QVERIFY(Contrast(frame, window) >= 3.0 && Contrast(frame, base) >= 3.0);
        QCOMPARE(Contrast(frame, selection) >= 3.0, frameBeatsSelection);
        const QColor greyed = FocusColours::UnfocusedSelection(palette);
        QVERIFY(Contrast(greyed, base) >= 3.0);
        QVERIFY(greyed != selection);
        QVERIFY(Contrast(FocusColours::TextOn(greyed), greyed) >= 4.5);
    }

    // Only the focused list wears the frame; the other shows its selection
    // greyed. A palette switched at run time is followed.
    void theFocusedListWearsTheFrame() {
        TwoLists lists;
        lists.left.setFocus(Qt::TabFocusReason);
        const QPalette light = QApplication::palette();
        QCOMPARE(lists.edgeOf(lists.left), FocusColours::FocusFrame(light).rgb());
        QVERIFY(lists.edgeOf(lists.right) != FocusColours::FocusFrame(light).rgb());
        QVERIFY(lists.selectionOf(lists.left) != FocusColours::UnfocusedSelection(light).rgb());
        lists.right.setFocus(Qt::TabFocusReason);
        QCOMPARE(lists.selectionOf(lists.left), FocusColours::UnfocusedSelection(light).rgb());

        const QPalette dark = paletteOf("#353535", "#2a2a2a", "#2a82da");
        // As a theme switched at run time reaches the lists (the
        // application's palette reaches widgets only while its loop runs).
        lists.window.setPalette(dark);
        QCOMPARE(lists.edgeOf(lists.right), FocusColours::FocusFrame(dark).rgb());
        QCOMPARE(lists.selectionOf(lists.left), FocusColours::UnfocusedSelection(dark).rgb());
    }

    // The window starts with the keys in the tree, tells its keys in the
    // tips of its controls, and at a 16 point font its drive list and path
    // label are as tall as their text needs.
    void theFirstShowingStartsInTheTreeAndFitsALargeFont() {
        const QFont before = QApplication::font();
        QFont large = before;
        large.setPointSize(16);
        QApplication::setFont(large);
        QtPlatform platform;
        platform.window().show();
        MainWindowWidget& window = *platform.window().widget();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(QApplication::focusWidget(), window.treeView());
        window.driveList()->setFocus(Qt::BacktabFocusReason);  // it wears the frame too
        const QPoint edge = window.driveList()->mapTo(&window, QPoint(0, 5));
        QCOMPARE(window.grab().toImage().pixel(edge),
                 FocusColours::FocusFrame(window.palette()).rgb());
        QVERIFY(window.treeView()->toolTip().contains(u"F2"_s));
        QVERIFY(window.dirList()->toolTip().contains(u"Shift+F10"_s));
        const int drive = platform.window().controlMinHeight(Control::DriveList);
        const int path = platform.window().controlMinHeight(Control::PathDisp);
        const int driveNeeds = window.driveList()->sizeHint().height();
        const int pathNeeds =
            window.pathLabel()->fontMetrics().height() + 2 * window.pathLabel()->frameWidth();
        QApplication::setFont(before);
        QVERIFY2(drive >= driveNeeds * 15 && drive > 315, qPrintable(QString::number(drive)));
        QVERIFY2(path >= pathNeeds * 15 && path > 300, qPrintable(QString::number(path)));
    }

    // A hint wider than the bar ends in an ellipsis, whole in the tip; one
    // that fits has no tip. The bar never widens the window.
    void aLongHintEndsInAnEllipsis() {
        HintLabel label;
        label.resize(200, 20);
        label.show();
        label.showHint(HoverHelp::tree());
        QVERIFY(label.shownText().endsWith(QChar(0x2026)));
        QCOMPARE(label.toolTip(), HoverHelp::tree());
        QCOMPARE(label.text(), HoverHelp::tree());
        QVERIFY(label.minimumSizeHint().width() < 20);
        label.resize(2000, 20);
        QCOMPARE(label.shownText(), HoverHelp::tree());
        QVERIFY(label.toolTip().isEmpty());
    }
};

QTEST_MAIN(TestFocusVisible)
#include "test_qt_focus_visible.moc"
