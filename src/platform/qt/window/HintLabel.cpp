#include "HintLabel.h"

#include <QPainter>
#include <QStyle>
#include <algorithm>

HintLabel::HintLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

void HintLabel::showHint(const QString& text) {
    setText(text);
    updateTip();
}

QString HintLabel::shownText() const {
    const int room = contentsRect().width() - 2 * margin() - 2 * indent();
    return fontMetrics().elidedText(text(), Qt::ElideRight, std::max(0, room));
}

QSize HintLabel::minimumSizeHint() const {
    return {fontMetrics().horizontalAdvance(QChar(0x2026)), QLabel::minimumSizeHint().height()};
}

void HintLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    const QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, room, QStyle::visualAlignment(layoutDirection(), alignment()),
                          palette(), isEnabled(), shownText(), foregroundRole());
}

void HintLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    updateTip();
}

void HintLabel::updateTip() {
    setToolTip(shownText() == text() ? QString() : text());
}
