#pragma once

#include "platform/Geometry.h"
#include "platform/MainWindowPort.h"

#include <vector>

class SettingsStore;

// The controls follow the window: the browser lists widen in proportion and
// lengthen, the tree takes the rest, the path label stays at the bottom.
// Every layout starts from the rectangles as designed, recorded at start-up,
// so rounding never accumulates. A large font makes the drive list and the
// path label taller than designed; the lists between them give up the room.
class WindowLayout {
public:
    WindowLayout(MainWindowPort& window, SettingsStore& settings)
        : window_(window), settings_(settings) {}

    // Records the designed rectangles (ControlLayout) and the start size.
    void Record();
    void Form_Resize();

private:
    const TwipsRect* designed(Control control) const;
    // How much taller than designed the control's font needs it, in twips.
    std::int32_t fontGrowth(Control control) const;

    struct LayoutRow {
        Control control;
        TwipsRect designed;
    };

    MainWindowPort& window_;
    SettingsStore& settings_;
    std::vector<LayoutRow> controlLayout_;  // ControlLayout
    bool layoutReady_ = false;              // LayoutReady
    TwipsSize start_;                       // StartWidth, StartHeight
};
