#include "SummonService.h"

#include "platform/SummonEvents.h"

void SummonService::ShowWindow() {
    ShowWindow(QString());
}

void SummonService::ShowWindow(const QString& activation_token) {
    if (events_)
        events_->ShowWindow(activation_token);
}

void SummonService::ToggleWindow() {
    ToggleWindow(QString());
}

void SummonService::ToggleWindow(const QString& activation_token) {
    if (events_)
        events_->ToggleWindow(activation_token);
}

void SummonService::PopupQuickList() {
    PopupQuickList(QString());
}

void SummonService::PopupQuickList(const QString& activation_token) {
    if (events_)
        events_->PopupQuickList(activation_token);
}

void SummonService::Find(const QString& text) {
    Find(text, QString());
}

void SummonService::Find(const QString& text, const QString& activation_token) {
    if (events_)
        events_->Find(text, activation_token);
}

bool SummonService::SecondStart() {
    return SecondStart(QString());
}

bool SummonService::SecondStart(const QString& activation_token) {
    return events_ && events_->SecondStart(activation_token);
}
