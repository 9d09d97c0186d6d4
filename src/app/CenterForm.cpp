#include "CenterForm.h"

TwipsRect CenterOnScreen(const TwipsRect& window, const TwipsSize& screen) {
    TwipsRect centred = window;
    centred.top = (screen.height - window.height) / 2;
    centred.left = (screen.width - window.width) / 2;
    return centred;
}

TwipsRect CenterOnOwner(const TwipsRect& window, const TwipsRect& owner) {
    TwipsRect centred = window;
    centred.top = owner.top + (owner.height - window.height) / 2;
    centred.left = owner.left + (owner.width - window.width) / 2;
    return centred;
}
