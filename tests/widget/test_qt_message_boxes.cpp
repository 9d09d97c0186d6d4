#include "FormHarness.h"
#include "WarningsFail.h"
#include "platform/qt/window/QtMessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

class TestMessageBoxes : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    void buttonsAndAnswers();
    void aReadingWaitingInItsBoxIsNotRunAgain();
};

void TestMessageBoxes::buttonsAndAnswers() {
    using Box = QMessageBox;
    const struct {
        MsgButtons buttons;
        Box::StandardButton press;  // NoButton: the Escape key, which retries nothing
        MsgAnswer answer;
    } cases[] = {
        {MsgButtons::Ok, Box::NoButton, MsgAnswer::Ok},
        {MsgButtons::RetryCancel, Box::Retry, MsgAnswer::Retry},
        {MsgButtons::RetryCancel, Box::NoButton, MsgAnswer::Cancel},
    };
    QtMessageBoxes boxes;
    for (const auto& c : cases) {
        int shown = 0;
        // Whatever opens instead of the box is closed: the test fails, not hangs.
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<Box*>(modal)) {
                shown = int(box->standardButtons());
                c.press ? box->button(c.press)->click() : QTest::keyClick(box, Qt::Key_Escape);
            } else if (modal) {
                modal->close();
            }
        });
        QCOMPARE(boxes.show(u"Unable to save."_s, u"Warning"_s, c.buttons, MsgIcon::Stop),
                 c.answer);
        QCOMPARE(shown, c.buttons == MsgButtons::Ok ? int(Box::Ok) : int(Box::Retry | Box::Cancel));
    }
}

// The box of a reading that failed waits in a loop of its own, where the
// save timer fires: that runs no second reading (with a second box), and
// Retry, once the file can be read, reads the tree once.
void TestMessageBoxes::aReadingWaitingInItsBoxIsNotRunAgain() {
    QtMessageBoxes boxes;
    FormHarness h;
    h.form = std::make_unique<FrmVarnel>(h.fake.platform(boxes), h.paths);
    QVERIFY(QDir().mkpath(h.paths.settingsPath));  // a folder in its place: unreadable
    h.load();
    int shown = 0;
    QMessageBox* last = nullptr;
    bool ticked = false;
    QTimer user;  // looks at the screen now and then
    connect(&user, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box && box != last) {  // a box comes up: under the first, the save timer fires
            last = box;
            if (++shown == 1)
                QTimer::singleShot(0, [&] {
                    ticked = true;
                    h.wait(60000);
                });
        } else if (box && ticked) {  // the file can be read now
            if (QFileInfo(h.paths.settingsPath).isDir() &&
                QDir(h.paths.settingsPath).removeRecursively())
                h.writeSettings({u"Node=A\t\tleaf\t\tFalse\t0\tFalse"_s,
                                 u"Node=B\t\tleaf\t\tFalse\t0\tFalse"_s});
            box->button(QMessageBox::Retry)->click();
        }
    });
    user.start(10);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"cannot read"_s));
    h.click(TrayRightUp);
    user.stop();
    QCOMPARE(shown, 1);
    QCOMPARE(h.form->tree().Count(), 2);
    h.form->settings().LoadSettings();  // whenever a reading runs, it replaces the tree
    QCOMPARE(h.form->tree().Count(), 2);
}

QTEST_MAIN(TestMessageBoxes)
#include "test_qt_message_boxes.moc"
