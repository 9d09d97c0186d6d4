#pragma once

// The two options of the tree's menu, kept as its check marks and in the
// settings file.
class MenuOptions {
public:
    // "Auto Hide Window": a successful open from the window hides it.
    bool AutoHide() const { return autoHide_; }
    void SetAutoHide(bool checked) { autoHide_ = checked; }
    // "Use Full Path on Copy": a copied path brings the chain of its folders.
    bool FullPath() const { return fullPath_; }
    void SetFullPath(bool checked) { fullPath_ = checked; }

private:
    bool autoHide_ = true;
    bool fullPath_ = true;
};
