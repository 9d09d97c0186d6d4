#pragma once

#include <QString>

// The path label under the tree: one blank and a path, or nothing.
class PathLabelPort {
public:
    virtual ~PathLabelPort() = default;
    virtual QString caption() const = 0;
    virtual void setCaption(const QString& caption) = 0;
};

class PathLabelEvents {
public:
    virtual ~PathLabelEvents() = default;
    virtual void PathDisp_DblClick() = 0;
    virtual void PathDisp_MouseMove() = 0;
};
