#pragma once

// Whether the tree takes no change from the user now: while a filter hides
// part of it, nothing may move, land or go among rows nobody can see.
class ReadOnlyTree {
public:
    virtual ~ReadOnlyTree() = default;
    virtual bool ReadOnly() const = 0;
};
