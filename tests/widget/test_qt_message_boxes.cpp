#include "WarningsFail.h"
#include "platform/qt/QtMessageBoxes.h"

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
        MsgIcon icon;
        Box::StandardButton press;  // NoButton: the Escape key, which retries nothing
        MsgAnswer answer;
    } cases[] = {
        {MsgButtons::Ok, MsgIcon::Exclamation, Box::NoButton, MsgAnswer::Ok},
        {MsgButtons::RetryCancel, MsgIcon::Stop, Box::Retry, MsgAnswer::Retry},
        {MsgButtons::RetryCancel, MsgIcon::Stop, Box::NoButton, MsgAnswer::Cancel},
    };
    const QString text = u"Unable to save <b>settings</b>."_s;
    QtMessageBoxes boxes;
    for (const auto& c : cases) {
        QVariantList seen;
        // Whatever opens instead of the box is closed: the test fails, not hangs.
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            auto* box = qobject_cast<Box*>(modal);
            if (!box) {
                if (modal)
                    modal->close();
            } else {
                seen = {box->text(), box->textFormat(), int(box->standardButtons())};
                c.press ? box->button(c.press)->click() : QTest::keyClick(box, Qt::Key_Escape);
            }
        });
        QCOMPARE(boxes.show(text, u"Warning"_s, c.buttons, c.icon), c.answer);
        const int buttons = c.buttons == MsgButtons::Ok ? Box::Ok : Box::Retry | Box::Cancel;
        QCOMPARE(seen, (QVariantList{text, Qt::PlainText, buttons}));
    }
}

QTEST_MAIN(TestMessageBoxes)
#include "test_qt_message_boxes.moc"
