#include "platform/qt/QtMessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace {
struct SeenBox {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Answers the box that opens next: notes what it shows, then presses a
// button or, with NoButton, the Escape key.
void answerNextBox(SeenBox* seen, QMessageBox::StandardButton answer) {
    QTimer::singleShot(0, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            // Whatever opened instead is closed, so the test fails, not hangs.
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
            return;
        }
        *seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
        if (answer == QMessageBox::NoButton)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->button(answer)->click();
    });
}
}  // namespace

class TestMessageBoxes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void okBoxWithoutIcon();
    void retryCancelWithStop();
};

void TestMessageBoxes::okBoxWithoutIcon() {
    QtMessageBoxes boxes;
    SeenBox seen;
    answerNextBox(&seen, QMessageBox::Ok);
    QCOMPARE(boxes.show(QStringLiteral("Folder is unavailable or no longer exist."),
                        QStringLiteral("Warning"), MsgButtons::Ok, MsgIcon::None),
             MsgAnswer::Ok);
    QCOMPARE(seen.title, QStringLiteral("Warning"));
    QCOMPARE(seen.text, QStringLiteral("Folder is unavailable or no longer exist."));
    QCOMPARE(seen.icon, QMessageBox::NoIcon);
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    answerNextBox(&seen, QMessageBox::NoButton);
    QCOMPARE(boxes.show(QStringLiteral("a <b>drive</b>"), QStringLiteral("Warning"), MsgButtons::Ok,
                        MsgIcon::Exclamation),
             MsgAnswer::Ok);
    QCOMPARE(seen.icon, QMessageBox::Warning);
}

void TestMessageBoxes::retryCancelWithStop() {
    QtMessageBoxes boxes;
    SeenBox seen;
    const QString text = QStringLiteral("Unable to save settings.");
    answerNextBox(&seen, QMessageBox::Retry);
    QCOMPARE(boxes.show(text, QStringLiteral("Varnel"), MsgButtons::RetryCancel, MsgIcon::Stop),
             MsgAnswer::Retry);
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.buttons, QMessageBox::Retry | QMessageBox::Cancel);
    answerNextBox(&seen, QMessageBox::Cancel);
    QCOMPARE(boxes.show(text, QStringLiteral("Varnel"), MsgButtons::RetryCancel, MsgIcon::Stop),
             MsgAnswer::Cancel);
    answerNextBox(&seen, QMessageBox::NoButton);  // Escape retries nothing
    QCOMPARE(boxes.show(text, QStringLiteral("Varnel"), MsgButtons::RetryCancel, MsgIcon::Stop),
             MsgAnswer::Cancel);
}

QTEST_MAIN(TestMessageBoxes)
#include "test_qt_message_boxes.moc"
