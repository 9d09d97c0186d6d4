#include "QtMessageBoxes.h"

#include "platform/qt/window/QtMainWindow.h"

#include <QMessageBox>

namespace {
QMessageBox::Icon boxIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Stop:
        return QMessageBox::Critical;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}
}  // namespace

MsgAnswer QtMessageBoxes::show(const QString& text, const QString& title, MsgButtons buttons,
                               MsgIcon icon) {
    // A hidden window would place the box somewhere unseen: then it stands alone.
    QWidget* parent = owner_ ? owner_->shownWidget() : nullptr;
    const bool retryCancel = buttons == MsgButtons::RetryCancel;
    QMessageBox box(boxIcon(icon), title, text,
                    retryCancel ? QMessageBox::Retry | QMessageBox::Cancel : QMessageBox::Ok,
                    parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(retryCancel ? QMessageBox::Retry : QMessageBox::Ok);
    box.setEscapeButton(retryCancel ? QMessageBox::Cancel : QMessageBox::Ok);
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Retry:
        return MsgAnswer::Retry;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    default:
        // Closing a box that offers only OK answers OK; one that offers
        // Retry and Cancel answers Cancel: nothing is retried unasked.
        return retryCancel ? MsgAnswer::Cancel : MsgAnswer::Ok;
    }
}
