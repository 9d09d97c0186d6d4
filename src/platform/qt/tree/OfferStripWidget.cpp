#include "OfferStripWidget.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// How much of the highlight colour the strip's background takes.
constexpr float TintShare = 0.2F;

QColor blend(const QColor& base, const QColor& tint, float share) {
    const auto mix = [share](float a, float b) { return a + (b - a) * share; };
    return QColor::fromRgbF(mix(base.redF(), tint.redF()), mix(base.greenF(), tint.greenF()),
                            mix(base.blueF(), tint.blueF()));
}
}  // namespace

OfferStripWidget::OfferStripWidget(QWidget* parent)
    : QFrame(parent),
      text_(new QLabel(this)),
      accept_(new QPushButton(this)),
      decline_(new QPushButton(this)) {
    setObjectName(QStringLiteral("OfferStrip"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
    setAutoFillBackground(true);
    text_->setTextFormat(Qt::PlainText);
    // The tree is narrow: the text takes lines, the buttons a row under it.
    text_->setWordWrap(true);
    auto* column = new QVBoxLayout(this);
    column->addWidget(text_);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(accept_);
    row->addWidget(decline_);
    column->addLayout(row);
    // The strip stops nothing: the keys stay where they were.
    accept_->setFocusPolicy(Qt::TabFocus);
    decline_->setFocusPolicy(Qt::TabFocus);
    connect(accept_, &QPushButton::clicked, this, &OfferStripWidget::accepted);
    connect(decline_, &QPushButton::clicked, this, &OfferStripWidget::declined);
    tint();
}

void OfferStripWidget::setTexts(const QString& text, const QString& accept,
                                const QString& decline) {
    text_->setText(text);
    accept_->setText(accept);
    decline_->setText(decline);
    setAccessibleName(text);
}

void OfferStripWidget::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && !tinting_)
        tint();
}

// The window's colour drawn towards the highlight, so the strip stands out
// on a light and a dark theme alike; from the parent's colours, which a
// theme changes, not from the strip's own, which are already tinted.
void OfferStripWidget::tint() {
    tinting_ = true;
    const QPalette theme = parentWidget() ? parentWidget()->palette() : QPalette();
    QPalette shades = theme;
    shades.setColor(QPalette::Window, blend(theme.color(QPalette::Window),
                                            theme.color(QPalette::Highlight), TintShare));
    setPalette(shades);
    tinting_ = false;
}
