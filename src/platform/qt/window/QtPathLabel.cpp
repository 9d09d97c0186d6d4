#include "QtPathLabel.h"

#include "files/OneLine.h"

#include <QEvent>
#include <QLabel>

void QtPathLabel::bind(QLabel* label) {
    if (label_)
        label_->removeEventFilter(this);
    label_ = label;
    if (!label_)
        return;
    label_->setText(OneLine(caption_));
    label_->setMouseTracking(true);
    label_->installEventFilter(this);
}

void QtPathLabel::setCaption(const QString& caption) {
    caption_ = caption;
    if (label_)
        label_->setText(OneLine(caption));
}

bool QtPathLabel::eventFilter(QObject* watched, QEvent* event) {
    if (watched != label_ || !events_)
        return false;
    if (event->type() == QEvent::MouseMove)
        events_->PathDisp_MouseMove();
    if (event->type() != QEvent::MouseButtonDblClick)
        return false;
    events_->PathDisp_DblClick();
    return true;
}
