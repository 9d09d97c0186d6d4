#include "QtQuickFind.h"

#include "QuickFindModel.h"
#include "QuickFindWindow.h"
#include "platform/qt/bus/ActivationToken.h"

QtQuickFind::QtQuickFind(const QtImageList& images)
    : model_(std::make_unique<QuickFindModel>(images)) {}

QtQuickFind::~QtQuickFind() = default;

void QtQuickFind::setEvents(QuickFindEvents* events) {
    events_ = events;
    if (window_)
        window_->setEvents(events);
    if (!events)
        close();
}

QuickFindWindow& QtQuickFind::made() {
    if (!window_) {
        window_ = std::make_unique<QuickFindWindow>(*model_);
        window_->setEvents(events_);
    }
    return *window_;
}

void QtQuickFind::show(const QString& typed, const QString& activationToken) {
    QuickFindWindow& window = made();
    window.rowsChanged();
    UseActivationToken(activationToken);  // before the pop-up asks for the focus
    window.present(typed);
}

void QtQuickFind::setRows(const std::vector<QuickFindRow>& rows) {
    model_->setRows(rows);
    if (window_)
        window_->rowsChanged();
}

void QtQuickFind::close() {
    if (window_)
        window_->dismiss();
}
