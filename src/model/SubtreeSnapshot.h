#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class NodeTree;
class TreeNode;

// A removed subtree, kept compactly so that it can be put back as it was:
// every node's label, path, images, expansion and key, in document order.
// The labels and paths share one block of bytes and the images one small
// table, so a folder of a hundred thousand nodes costs about what its text
// does, once.
class SubtreeSnapshot {
public:
    explicit SubtreeSnapshot(const TreeNode& root);

    // Rebuilds the subtree at row among parent's children (the top level
    // for null) and returns its root. Each rebuilt node is passed to
    // restored, in document order.
    TreeNode* RestoreInto(NodeTree& tree, TreeNode* parent, int row,
                          const std::function<void(TreeNode*)>& restored = {}) const;

    int Count() const { return int(nodes_.size()); }
    // The memory the snapshot holds, near enough.
    std::size_t Bytes() const;

private:
    struct Node {
        std::uint32_t depth;  // 0 for the root
        std::uint32_t textSize;
        std::uint32_t tagSize;
        std::uint32_t image;  // into images_
        std::uint32_t expandedImage;
        bool expanded;
        bool utf16;  // label and path kept as UTF-16, which UTF-8 cannot hold exactly
    };
    std::vector<Node> nodes_;
    QByteArray bytes_;                           // labels and paths, in order
    std::vector<QString> images_;                // the distinct image texts
    std::vector<std::pair<int, QString>> keys_;  // the few nodes with a key, by number
};
