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
    void buttonsIconsAndAnswers();
};

void TestMessageBoxes::buttonsIconsAndAnswers() {
    using Box = QMessageBox;
    const struct {
        MsgButtons buttons;
        MsgIcon icon;
        Box::StandardButton press;  // NoButton: the Escape key
        MsgAnswer answer;
        Box::Icon shownIcon;
    } cases[] = {
        {MsgButtons::Ok, MsgIcon::None, Box::Ok, MsgAnswer::Ok, Box::NoIcon},
        {MsgButtons::Ok, MsgIcon::Exclamation, Box::NoButton, MsgAnswer::Ok, Box::Warning},
        {MsgButtons::RetryCancel, MsgIcon::Stop, Box::Retry, MsgAnswer::Retry, Box::Critical},
        {MsgButtons::RetryCancel, MsgIcon::Stop, Box::Cancel, MsgAnswer::Cancel, Box::Critical},
        // Escape retries nothing.
        {MsgButtons::RetryCancel, MsgIcon::Stop, Box::NoButton, MsgAnswer::Cancel, Box::Critical},
    };
    const QString text = u"Unable to save <b>settings</b>."_s;
    QtMessageBoxes boxes;
    for (const auto& c : cases) {
        QVariantList seen;  // title, text, format, icon, buttons
        // Answers the box once it is open; whatever opens instead is closed,
        // so the test fails rather than hangs.
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<Box*>(modal)) {
                seen = {box->windowTitle(), box->text(), box->textFormat(), box->icon(),
                        int(box->standardButtons())};
                if (c.press == Box::NoButton)
                    QTest::keyClick(box, Qt::Key_Escape);
                else
                    box->button(c.press)->click();
            } else if (modal) {
                modal->close();
            }
        });
        QCOMPARE(boxes.show(text, u"Warning"_s, c.buttons, c.icon), c.answer);
        const int buttons = c.buttons == MsgButtons::Ok ? Box::Ok : Box::Retry | Box::Cancel;
        QCOMPARE(seen, (QVariantList{u"Warning"_s, text, Qt::PlainText, c.shownIcon, buttons}));
    }
}

QTEST_MAIN(TestMessageBoxes)
#include "test_qt_message_boxes.moc"
