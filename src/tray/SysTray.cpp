#include "SysTray.h"

#include "platform/TrayIconPort.h"

SysTray::SysTray(TrayIconPort& port) : port_(port) {}

SysTray::~SysTray() {
    SetInTray(false);
}

void SysTray::SetInTray(bool inTray) {
    if (inTray == inTray_)
        return;
    if (inTray) {
        port_.add(icon_.kind == TrayPicture::Icon ? icon_.name : QString(), shownTip());
        added_ = true;
    } else if (added_) {
        port_.remove();
        added_ = false;
    }
    inTray_ = inTray;
}

void SysTray::SetTrayIcon(const TrayPicture& picture) {
    if (picture.kind != TrayPicture::Icon || picture.name.isEmpty())
        return;
    if (added_)
        port_.modifyIcon(picture.name);
    icon_ = picture;
}

void SysTray::SetTrayTip(const QString& tip) {
    tip_ = tip;
    if (added_)
        port_.modifyTip(shownTip());
}

QString SysTray::shownTip() const {
    if (tip_.size() <= MaxTipLength)
        return tip_;
    int length = MaxTipLength;
    // Never cut a character in half.
    if (tip_.at(length - 1).isHighSurrogate())
        --length;
    return tip_.left(length);
}

void SysTray::notify(int iconId, int mouseMessage) {
    auto raise = [iconId](const std::function<void(int, int)>& event, int button) {
        if (event)
            event(button, iconId);
    };
    switch (mouseMessage) {
    case TrayMouseMove:
        if (MouseMove)
            MouseMove(iconId);
        break;
    case TrayLeftDown:
        raise(MouseDown, 1);
        break;
    case TrayLeftUp:
        raise(MouseUp, 1);
        break;
    case TrayLeftDblClick:
        raise(MouseDblClick, 1);
        break;
    case TrayRightDown:
        raise(MouseDown, 2);
        break;
    case TrayRightUp:
        raise(MouseUp, 2);
        break;
    case TrayRightDblClick:
        raise(MouseDblClick, 2);
        break;
    default:
        break;  // middle button and the rest raise nothing
    }
}
