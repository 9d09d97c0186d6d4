#pragma once

#include <QString>

class TreeNode;

// What editing the tree asks of the quick list, whose entries are tied to
// nodes by equal text and path: finding a node's entry and keeping it in
// step when the node changes or goes.
class QuickListLink {
public:
    virtual ~QuickListLink() = default;
    virtual int FindQuickEntry(const TreeNode* node) const = 0;
    virtual void SetQuickCaption(int index, const QString& caption) = 0;
    virtual void SetQuickPath(int index, const QString& path) = 0;
    virtual void RemoveQuickEntry(const TreeNode* node) = 0;
};
