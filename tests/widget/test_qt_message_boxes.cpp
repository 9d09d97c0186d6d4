#include "WarningsFail.h"
#include "platform/qt/window/QtMessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

class TestMessageBoxes : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    void buttonsAndAnswers();
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

QTEST_MAIN(TestMessageBoxes)
#include "test_qt_message_boxes.moc"
