#include "WindowLayout.h"

#include "SettingsStore.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int GapPixels = 8;

// The controls that have a rectangle, in the order they were designed.
constexpr Control LayoutControls[] = {Control::DriveList, Control::DirList,  Control::FileList,
                                      Control::TreeView,  Control::PathDisp, Control::BarStatus};

std::int32_t scaled(std::int32_t designed, float ratio) {
    return static_cast<std::int32_t>(std::lround(static_cast<float>(designed) * ratio));
}
}  // namespace

void WindowLayout::Record() {
    layoutReady_ = false;
    controlLayout_.clear();
    for (Control control : LayoutControls) {
        if (const std::optional<TwipsRect> rect = window_.controlRect(control))
            controlLayout_.push_back({control, *rect});
    }
    const TwipsRect window = window_.geometry();
    start_ = {window.width, window.height};
    layoutReady_ = true;
}

const TwipsRect* WindowLayout::designed(Control control) const {
    for (const LayoutRow& row : controlLayout_) {
        if (row.control == control)
            return &row.designed;
    }
    return nullptr;
}

std::int32_t WindowLayout::fontGrowth(Control control) const {
    const TwipsRect* d = designed(control);
    return d ? std::max(0, window_.controlMinHeight(control) - d->height) : 0;
}

void WindowLayout::Form_Resize() {
    if (!layoutReady_)
        return;
    const TwipsRect outer = window_.geometry();
    if (outer.width < start_.width || outer.height < start_.height)
        return;

    const float ratio = static_cast<float>(outer.width) / static_cast<float>(start_.width);
    const std::int32_t grownWidth = outer.width - start_.width;
    const std::int32_t grownHeight = outer.height - start_.height;

    // A control of one line whose font needs more than its designed height
    // grows to it; the lists between them give up the difference, so the
    // path label keeps its bottom edge and the lists their place under the
    // drive list.
    const std::int32_t driveGrowth = fontGrowth(Control::DriveList);
    const std::int32_t pathGrowth = fontGrowth(Control::PathDisp);

    if (const TwipsRect* d = designed(Control::PathDisp)) {
        TwipsRect r = *d;
        r.width = d->width + grownWidth;
        r.top = d->top + grownHeight - pathGrowth;
        r.height = d->height + pathGrowth;
        window_.setControlRect(Control::PathDisp, r);
    }
    if (const TwipsRect* d = designed(Control::DriveList)) {
        TwipsRect r = *d;
        r.width = scaled(d->width, ratio);
        r.height = d->height + driveGrowth;
        window_.setControlRect(Control::DriveList, r);
    }
    for (Control list : {Control::DirList, Control::FileList}) {
        if (const TwipsRect* d = designed(list)) {
            TwipsRect r = *d;
            r.top = d->top + driveGrowth;
            r.height = std::max(0, d->height + grownHeight - driveGrowth - pathGrowth);
            r.width = scaled(d->width, ratio);
            window_.setControlRect(list, r);
        }
    }
    const TwipsRect* tree = designed(Control::TreeView);
    if (tree && designed(Control::DirList)) {
        const TwipsRect dir = *window_.controlRect(Control::DirList);
        // The gap is 8 of the screen's pixels, however many twips they are.
        const auto gap = static_cast<std::int32_t>(
            std::lround(static_cast<float>(GapPixels) * window_.twipsPerPixelX()));
        TwipsRect view = *tree;
        view.height = dir.top + dir.height - view.top;
        view.left = dir.left + dir.width + gap;
        view.width = outer.width - view.left - gap;
        window_.setControlRect(Control::TreeView, view);
    }

    if (window_.windowState() == StateNormal)
        settings_.RememberWindowRect(outer);
    settings_.ScheduleSave();
}
