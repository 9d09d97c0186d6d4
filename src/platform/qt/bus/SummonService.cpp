#include "SummonService.h"

#include "platform/SummonEvents.h"

#include <QTimer>

void SummonService::ShowWindow() {
    ShowWindow(QString());
}

void SummonService::ShowWindow(const QString& activation_token) {
    later([activation_token](SummonEvents& events) { events.ShowWindow(activation_token); });
}

void SummonService::ToggleWindow() {
    ToggleWindow(QString());
}

void SummonService::ToggleWindow(const QString& activation_token) {
    later([activation_token](SummonEvents& events) { events.ToggleWindow(activation_token); });
}

void SummonService::PopupQuickList() {
    PopupQuickList(QString());
}

void SummonService::PopupQuickList(const QString& activation_token) {
    later([activation_token](SummonEvents& events) { events.PopupQuickList(activation_token); });
}

void SummonService::Find(const QString& text) {
    Find(text, QString());
}

void SummonService::Find(const QString& text, const QString& activation_token) {
    later([text, activation_token](SummonEvents& events) { events.Find(text, activation_token); });
}

void SummonService::later(std::function<void(SummonEvents&)> request) {
    QTimer::singleShot(0, this, [this, request = std::move(request)] {
        if (events_)  // gone when the program is ending
            request(*events_);
    });
}

bool SummonService::SecondStart() {
    return SecondStart(QString());
}

bool SummonService::SecondStart(const QString& activation_token) {
    return events_ && events_->SecondStart(activation_token);
}
