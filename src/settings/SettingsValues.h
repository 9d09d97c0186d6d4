#pragma once

#include <QStringList>
#include <cstdint>

// The eleven key lines of the settings file, in the order they are written.
struct SettingsValues {
    std::int32_t winTop = 0;
    std::int32_t winLeft = 0;
    std::int32_t winHeight = 0;
    std::int32_t winWidth = 0;
    int winState = 0;
    bool hide = true;      // "Auto Hide Window"
    bool fullPath = true;  // "Use Full Path on Copy"
    QString drive;
    QString dirPath;
    int dirSel = -1;
    bool dirVis = true;
    // The lines of the "[Varnel]" section as they were read, written back
    // after everything else.
    QStringList ownSection;
};
