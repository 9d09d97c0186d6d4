#pragma once

#include "platform/QuickFindPort.h"

#include <memory>

class QtImageList;
class QuickFindModel;
class QuickFindWindow;

// The quick-find pop-up over Qt: its window is made when first shown.
class QtQuickFind : public QuickFindPort {
public:
    explicit QtQuickFind(const QtImageList& images);
    ~QtQuickFind() override;
    QtQuickFind(const QtQuickFind&) = delete;
    QtQuickFind& operator=(const QtQuickFind&) = delete;

    void setEvents(QuickFindEvents* events);

    void show(const QString& typed, const QString& activationToken) override;
    void setRows(const std::vector<QuickFindRow>& rows) override;
    void close() override;

    // Null until first shown.
    QuickFindWindow* window() const { return window_.get(); }

private:
    QuickFindWindow& made();

    QuickFindEvents* events_ = nullptr;
    std::unique_ptr<QuickFindModel> model_;
    std::unique_ptr<QuickFindWindow> window_;
};
