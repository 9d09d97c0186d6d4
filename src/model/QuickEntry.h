#pragma once

#include <QString>
#include <vector>

// One entry of the tray's quick list: the caption and path of the node it was
// made from, tied to that node only by being equal to both.
struct QuickEntry {
    QString caption;
    QString path;
    friend bool operator==(const QuickEntry&, const QuickEntry&) = default;
};

using QuickEntries = std::vector<QuickEntry>;
