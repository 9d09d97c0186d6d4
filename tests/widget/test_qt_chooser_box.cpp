// The chooser box: which line it gives back, and when its button takes one.
#include "WarningsFail.h"
#include "platform/qt/window/QtChooserBox.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {
struct Box {
    QDialog* dialog;
    QListWidget* list;
    QPushButton* accept;
};

// Runs the user's part once the box is up; whatever opens instead is
// closed, so that the test fails rather than hangs.
std::optional<int> answer(const QStringList& lines, std::function<void(const Box&)> user) {
    QTimer::singleShot(0, [user] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<QDialog*>(modal);
        if (!dialog || dialog->objectName() != u"Chooser"_s) {
            if (modal)
                modal->close();
            return;
        }
        QPushButton* accept = nullptr;
        for (QAbstractButton* button : dialog->findChild<QDialogButtonBox*>()->buttons()) {
            if (button->text() == u"Restore"_s)
                accept = qobject_cast<QPushButton*>(button);
        }
        user({dialog, dialog->findChild<QListWidget*>(), accept});
        if (dialog->isVisible())  // a check that failed left it open
            dialog->reject();
    });
    QtChooserBox chooser;
    return chooser.choose({u"Restore Settings"_s, u"Go back to:"_s, lines, u"Restore"_s});
}
}  // namespace

class TestChooserBox : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // The first line starts chosen: Enter takes it. Another line is taken
    // by the button or by a double click; Escape takes none.
    void theChosenLineIsGivenBack() {
        const QStringList lines{
            u"2026-01-06 \u2014 3 nodes"_s, u"2026-01-05 \u2014 2 nodes"_s,
            u"2026-01-04 14:30:00, before a restore, a line longer than the prompt is wide \u2014 cannot be read"_s};
        QString title;
        QCOMPARE(
            answer(lines,
                   [&](const Box& box) {
                       title = box.dialog->windowTitle();
                       QCOMPARE(box.list->count(), 3);
                       // Every line shows whole, however the prompt wraps.
                       QVERIFY(box.list->viewport()->width() >= box.list->sizeHintForColumn(0));
                       QTest::keyClick(box.list, Qt::Key_Return);
                   }),
            std::optional<int>(0));
        QCOMPARE(title, u"Restore Settings"_s);
        QCOMPARE(answer(lines,
                        [](const Box& box) {
                            box.list->setCurrentRow(2);
                            box.accept->click();
                        }),
                 std::optional<int>(2));
        QCOMPARE(answer(lines,
                        [](const Box& box) {
                            QWidget* viewport = box.list->viewport();
                            const QPoint row = box.list->visualItemRect(box.list->item(1)).center();
                            QTest::mouseClick(viewport, Qt::LeftButton, {}, row);
                            QTest::mouseDClick(viewport, Qt::LeftButton, {}, row);
                        }),
                 std::optional<int>(1));
        QCOMPARE(answer(lines, [](const Box& box) { QTest::keyClick(box.list, Qt::Key_Escape); }),
                 std::optional<int>());
    }
};

QTEST_MAIN(TestChooserBox)
#include "test_qt_chooser_box.moc"
