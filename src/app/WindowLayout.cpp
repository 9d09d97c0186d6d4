// The controls follow the window: the browser lists widen in proportion and
// lengthen, the tree takes the rest, the path label stays at the bottom.
#include "FrmVarnel.h"
#include "platform/MainWindowPort.h"

#include <cmath>

namespace {
constexpr int GapPixels = 8;
constexpr int TwipsPerPixel = 15;  // the logic's pixel; the Qt layer converts real ones

std::int32_t scaled(std::int32_t designed, float ratio) {
    return static_cast<std::int32_t>(std::lround(static_cast<float>(designed) * ratio));
}
}  // namespace

int FrmVarnel::LayoutIndexOf(Control control) const {
    for (int i = static_cast<int>(controlLayout.size()) - 1; i >= 0; --i) {
        if (controlLayout[static_cast<size_t>(i)].control == control) return i;
    }
    return -1;
}

void FrmVarnel::Form_Resize() {
    if (!LayoutReady) return;
    MainWindowPort& window = platform.window;
    const TwipsRect outer = window.geometry();
    if (outer.width < StartWidth || outer.height < StartHeight) return;

    const float ratio = static_cast<float>(outer.width) / static_cast<float>(StartWidth);
    const std::int32_t grownWidth = outer.width - StartWidth;
    const std::int32_t grownHeight = outer.height - StartHeight;

    auto designed = [this](Control control) -> const TwipsRect* {
        const int row = LayoutIndexOf(control);
        return row < 0 ? nullptr : &controlLayout[static_cast<size_t>(row)].designed;
    };
    auto place = [&window](Control control, const TwipsRect& rect) {
        window.setControlRect(control, rect);
    };

    if (const TwipsRect* d = designed(Control::PathDisp)) {
        TwipsRect r = *window.controlRect(Control::PathDisp);
        r.width = d->width + grownWidth;
        r.top = d->top + grownHeight;
        place(Control::PathDisp, r);
    }
    if (const TwipsRect* d = designed(Control::DriveList)) {
        TwipsRect r = *window.controlRect(Control::DriveList);
        r.width = scaled(d->width, ratio);
        place(Control::DriveList, r);
    }
    for (Control list : {Control::DirList, Control::FileList}) {
        if (const TwipsRect* d = designed(list)) {
            TwipsRect r = *window.controlRect(list);
            r.height = d->height + grownHeight;
            r.width = scaled(d->width, ratio);
            place(list, r);
        }
    }
    if (designed(Control::TreeView) && designed(Control::DirList)) {
        const TwipsRect dir = *window.controlRect(Control::DirList);
        TwipsRect view = *window.controlRect(Control::TreeView);
        view.height = dir.top + dir.height - view.top;
        view.left = dir.left + dir.width + GapPixels * TwipsPerPixel;
        view.width = window.innerWidth() - view.left - GapPixels * TwipsPerPixel;
        place(Control::TreeView, view);
    }

    if (window.windowState() == StateNormal) {
        SavedTop = outer.top;
        SavedLeft = outer.left;
        SavedHeight = outer.height;
        SavedWidth = outer.width;
    }
    ScheduleSave();
}
