#include "QtOfferStrip.h"

#include "OfferStripWidget.h"

void QtOfferStrip::bind(OfferStripWidget* strip) {
    if (strip_)
        disconnect(strip_, nullptr, this, nullptr);
    strip_ = strip;
    if (!strip)
        return;
    connect(strip, &OfferStripWidget::accepted, this, [this] {
        if (events_)
            events_->OfferAccept_Click();
    });
    connect(strip, &OfferStripWidget::declined, this, [this] {
        if (events_)
            events_->OfferDecline_Click();
    });
    apply();
}

void QtOfferStrip::showOffer(const OfferTexts& texts) {
    texts_ = texts;
    shown_ = true;
    apply();
}

void QtOfferStrip::hideOffer() {
    shown_ = false;
    apply();
}

void QtOfferStrip::apply() {
    OfferStripWidget* strip = strip_;
    if (!strip)
        return;
    strip->setTexts(texts_.text, texts_.accept, texts_.decline);
    strip->setVisible(shown_);
}
