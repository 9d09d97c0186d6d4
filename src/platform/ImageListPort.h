#pragma once

#include <QString>
#include <cstdint>

// The tree's pictures, numbered from 1 and named by key: "closed" (1),
// "open" (2) and "leaf" (3) are always there; item icons are appended.
class ImageListPort {
public:
    virtual ~ImageListPort() = default;
    // A handle to the desktop's small icon of that name, else of the
    // generic name; 0 when the desktop has neither. The same icon always
    // gets the same handle, so items of one kind share one picture.
    virtual std::uint64_t lookUpIcon(const QString& iconName, const QString& genericIconName) = 0;
    // Appends the icon under the key and returns its index; 0, adding
    // nothing, when the key is taken.
    virtual int add(const QString& key, std::uint64_t icon) = 0;
    virtual int indexOf(const QString& key) const = 0;  // 0 when absent
};
