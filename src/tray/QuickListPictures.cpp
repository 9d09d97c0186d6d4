#include "QuickListPictures.h"

#include "model/ImageKeys.h"
#include "model/NodeTree.h"

#include <string_view>
#include <unordered_map>

namespace {
std::string_view ViewOf(QByteArrayView bytes) {
    return {bytes.data(), std::size_t(bytes.size())};
}
}  // namespace

std::vector<TreeNode*> QuickListNodes(const NodeTree& tree, const QuickEntries& entries) {
    std::vector<TreeNode*> nodes(entries.size(), nullptr);
    // The entries' paths in UTF-8, the form nearly every node keeps its path
    // in: a large tree is walked without making a string of each path.
    std::vector<QByteArray> paths;
    paths.reserve(entries.size());
    std::unordered_multimap<std::string_view, std::size_t> byPath;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        paths.push_back(entries[i].path.toUtf8());
        byPath.emplace(ViewOf(paths.back()), i);
    }
    std::size_t left = entries.size();
    for (TreeNode* node = tree.First(); node && left > 0;
         node = NodeTree::NextInDocumentOrder(node)) {
        QByteArray converted;
        std::optional<QByteArrayView> tag = node->TagUtf8();
        if (!tag) {
            converted = node->Tag().toUtf8();
            tag = converted;
        }
        const auto [first, last] = byPath.equal_range(ViewOf(*tag));
        for (auto it = first; it != last; ++it) {
            const std::size_t i = it->second;
            // The bytes matched; the strings decide, as a path UTF-8 cannot
            // hold exactly has the same bytes as another.
            if (!nodes[i] && node->Text() == entries[i].caption && node->Tag() == entries[i].path) {
                nodes[i] = node;
                --left;
            }
        }
    }
    return nodes;
}

QString QuickListPicture(const TreeNode* node) {
    if (!node)
        return {};
    const QString& image = node->Image();
    return image.isEmpty() || ImageKeys::isWaiting(image) ? ImageKeys::leaf() : image;
}
