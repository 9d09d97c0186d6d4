#pragma once

#include "model/Relationship.h"

#include <optional>

// What a drop onto the tree does once its place is known: the commands of the
// drop menu tdMenu, and the copy of a browser entry dropped on empty space.
class DropCommands {
public:
    virtual ~DropCommands() = default;
    virtual void tdInside_Click() = 0;
    virtual void tdBefore_Click() = 0;
    virtual void tdAfter_Click() = 0;
    virtual void tdCancel_Click() = 0;
    // Copies the dragged browser entry relative to the drop highlight, or
    // with none to the end of the top level.
    virtual void AddBrowserPath(std::optional<Relationship> relationship) = 0;
    // Set while the drop menu serves a drop from outside the program: the
    // commands then only record the choice.
    virtual void SetExternalDropPending(bool pending) = 0;
};
