#pragma once

#include "platform/PathLabelPort.h"
#include "platform/Platform.h"

#include <QString>

class MenuOptions;
class PathChecks;

// Opening a path from the window: the tree's double click, the path label's,
// and later the browser's commands. A success hides the window when "Auto
// Hide Window" is checked; a failure says so and keeps the window.
class Opener : public PathLabelEvents {
public:
    Opener(const Platform& platform, PathChecks& checks, const MenuOptions& options);

    void OpenPath(const QString& path, const QString& failureMessage);
    // Whether the path names what it came from: one with a name that is not
    // text (files/NameBytes.h) names no file, and the user is told so.
    bool Nameable(const QString& path);
    void PathDisp_DblClick() override;
    void PathDisp_MouseMove() override;

private:
    Platform platform_;
    PathChecks& checks_;
    const MenuOptions& options_;
};
