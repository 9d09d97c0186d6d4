#pragma once

#include <QString>

// What the strip says and the captions of its two buttons.
struct OfferTexts {
    QString text;
    QString accept;
    QString decline;
};

// A strip over the top of the tree that offers the user something to take
// or leave. It stops nothing: the window works as ever while it shows.
class OfferStripPort {
public:
    virtual ~OfferStripPort() = default;
    virtual void showOffer(const OfferTexts& texts) = 0;
    virtual void hideOffer() = 0;
};

// What the user answers in the strip.
class OfferStripEvents {
public:
    virtual ~OfferStripEvents() = default;
    virtual void OfferAccept_Click() = 0;
    virtual void OfferDecline_Click() = 0;
};
