#include "SubtreeSnapshot.h"

#include "NodeTree.h"

#include <climits>
#include <cstring>
#include <unordered_map>

namespace {
// Appends a string's UTF-8 as the node keeps it, or its UTF-16 when the node
// keeps that; returns the size in the units appended.
std::uint32_t appendUtf8(QByteArray& bytes, const TreeNode& node, bool text) {
    const std::optional<QByteArrayView> utf8 = text ? node.TextUtf8() : node.TagUtf8();
    const QByteArray converted = utf8 ? QByteArray() : (text ? node.Text() : node.Tag()).toUtf8();
    const QByteArrayView view = utf8 ? *utf8 : QByteArrayView(converted);
    bytes.append(view);
    return std::uint32_t(view.size());
}

std::uint32_t appendUtf16(QByteArray& bytes, const QString& string) {
    bytes.append(reinterpret_cast<const char*>(string.utf16()), string.size() * 2);
    return std::uint32_t(string.size());
}

bool keptAsUtf8(const TreeNode& node) {
    return node.TextUtf8() && node.TagUtf8();
}
}  // namespace

SubtreeSnapshot::SubtreeSnapshot(const TreeNode& root) {
    // Image texts stay where they are while nodes use them: their addresses
    // tell them apart without comparing the texts.
    std::unordered_map<const QString*, std::uint32_t> imageNumbers;
    const auto imageNumber = [&](const QString& image) {
        const auto [at, added] = imageNumbers.try_emplace(&image, std::uint32_t(images_.size()));
        if (added)
            images_.push_back(image);
        return at->second;
    };
    // Document order from a stack of the nodes still to come, each with its
    // depth below the root: nothing recurses, however deep the subtree.
    std::vector<std::pair<const TreeNode*, std::uint32_t>> pending{{&root, 0}};
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        Node kept{depth,
                  0,
                  0,
                  imageNumber(node->Image()),
                  imageNumber(node->ExpandedImage()),
                  node->Expanded(),
                  !keptAsUtf8(*node)};
        if (kept.utf16) {
            kept.textSize = appendUtf16(bytes_, node->Text());
            kept.tagSize = appendUtf16(bytes_, node->Tag());
        } else {
            kept.textSize = appendUtf8(bytes_, *node, true);
            kept.tagSize = appendUtf8(bytes_, *node, false);
        }
        if (!node->Key().isEmpty())
            keys_.emplace_back(int(nodes_.size()), node->Key());
        nodes_.push_back(kept);
        for (int row = node->Children() - 1; row >= 0; --row)
            pending.emplace_back(node->ChildAt(row), depth + 1);
    }
    nodes_.shrink_to_fit();
    bytes_.squeeze();
}

TreeNode* SubtreeSnapshot::RestoreInto(NodeTree& tree, TreeNode* parent, int row,
                                       const std::function<void(TreeNode*)>& restored) const {
    std::vector<TreeNode*> open;  // the last node made at each depth so far
    qsizetype offset = 0;
    auto key = keys_.begin();
    TreeNode* root = nullptr;
    for (std::size_t at = 0; at < nodes_.size(); ++at) {
        const Node& kept = nodes_[at];
        open.resize(kept.depth);
        TreeNode* under = kept.depth == 0 ? parent : open.back();
        const QString& image = images_[kept.image];
        const QString& expandedImage = images_[kept.expandedImage];
        TreeNode* node = nullptr;
        if (!kept.utf16) {
            const QByteArrayView text(bytes_.constData() + offset, kept.textSize);
            const QByteArrayView tag(text.end(), kept.tagSize);
            offset += kept.textSize + kept.tagSize;
            node =
                kept.depth == 0
                    ? tree.InsertLoaded(under, row, text, tag, image, expandedImage, kept.expanded)
                    : tree.AppendLoaded(under, text, tag, image, expandedImage, kept.expanded);
        } else {
            // The units may stand at any byte of the block: copied out, not
            // read in place.
            const auto units = [this, &offset](std::uint32_t size) {
                QString string(qsizetype(size), Qt::Uninitialized);
                if (size > 0)
                    std::memcpy(string.data(), bytes_.constData() + offset, std::size_t(size) * 2);
                offset += 2 * qsizetype(size);
                return string;
            };
            const QString text = units(kept.textSize);
            const QString tag = units(kept.tagSize);
            node = tree.InsertLoaded(under, kept.depth == 0 ? row : INT_MAX, {}, {}, image,
                                     expandedImage, kept.expanded);
            if (node) {
                node->SetText(text);
                node->SetTag(tag);
            }
        }
        if (!node)
            return root;  // no room: what was rebuilt stays
        if (key != keys_.end() && key->first == int(at)) {
            node->SetKey(key->second);
            ++key;
        }
        if (!root)
            root = node;
        open.push_back(node);
        if (restored)
            restored(node);
    }
    return root;
}

std::size_t SubtreeSnapshot::Bytes() const {
    std::size_t bytes =
        sizeof *this + nodes_.capacity() * sizeof(Node) + std::size_t(bytes_.capacity());
    for (const QString& image : images_)
        bytes += sizeof image + std::size_t(image.capacity()) * 2;
    for (const auto& [number, key] : keys_)
        bytes += sizeof number + sizeof key + std::size_t(key.capacity()) * 2;
    return bytes;
}
