#pragma once

#include "platform/OfferStripPort.h"

#include <QObject>
#include <QPointer>

class OfferStripWidget;

// The offer strip over the tree. The window's widgets come at its first
// showing, which may be after the logic asked for the strip: what it asked
// is kept until then.
class QtOfferStrip : public QObject, public OfferStripPort {
    Q_OBJECT
public:
    void setEvents(OfferStripEvents* events) { events_ = events; }
    // The strip's widget; null lets go.
    void bind(OfferStripWidget* strip);

    void showOffer(const OfferTexts& texts) override;
    void hideOffer() override;

private:
    void apply();

    OfferStripEvents* events_ = nullptr;
    QPointer<OfferStripWidget> strip_;
    OfferTexts texts_;
    bool shown_ = false;
};
