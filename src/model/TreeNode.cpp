#include "NodeTree.h"

#include "IndexCounter.h"

#include <QStringList>

void TreeNode::eraseChild(int row) {
    children_.erase(row, tree_->arena_);
}

namespace {
// Assigns and tells the tree only when the value really changes, so views do
// not repaint for nothing.
template <typename T>
bool assignChanged(T& field, const T& value) {
    if (field == value)
        return false;
    field = value;
    return true;
}
}  // namespace

void TreeNode::SetText(const QString& text) {
    if (Text() == text)
        return;
    tree_->aboutToChange(this, NodeField::Text);
    strings_.set(NodeStrings::Text, text, tree_->arena_);
    tree_->notifyChanged(this, NodeField::Text);
}

void TreeNode::SetTag(const QString& tag) {
    if (Tag() == tag)
        return;
    tree_->aboutToChange(this, NodeField::Tag);
    strings_.set(NodeStrings::Tag, tag, tree_->arena_);
    tagChanged();
}

void TreeNode::SetTextAndTagUtf8(QByteArrayView text, QByteArrayView tag) {
    // Valid UTF-8 is kept as it is, so equal text is equal bytes.
    const auto same = [](std::optional<QByteArrayView> stored, QByteArrayView given) {
        return stored ? *stored == given : false;
    };
    const bool textChanged = !same(TextUtf8(), text);
    const bool tagChanges = !same(TagUtf8(), tag);
    if (!textChanged && !tagChanges)
        return;
    if (textChanged)
        tree_->aboutToChange(this, NodeField::Text);
    if (tagChanges)
        tree_->aboutToChange(this, NodeField::Tag);
    strings_.setUtf8(text, tag, tree_->arena_);
    if (textChanged)
        tree_->notifyChanged(this, NodeField::Text);
    if (tagChanges)
        tagChanged();
}

void TreeNode::tagChanged() {
    tree_->notifyChanged(this, NodeField::Tag);
    if (tree_->pathWatcher_)
        tree_->pathWatcher_(this);
}

void TreeNode::SetPathCheck(PathStatus status) {
    if (assignChanged(pathCheck_, status))
        tree_->notifyChanged(this, NodeField::PathCheck);
}

const QString& TreeNode::Image() const {
    return tree_->images_.text(image_);
}

void TreeNode::SetImage(const QString& image) {
    if (Image() == image)
        return;
    tree_->aboutToChange(this, NodeField::Image);
    image_ = tree_->images_.replace(image_, image);
    tree_->notifyChanged(this, NodeField::Image);
}

const QString& TreeNode::ExpandedImage() const {
    return tree_->images_.text(expandedImage_);
}

void TreeNode::SetExpandedImage(const QString& image) {
    if (ExpandedImage() == image)
        return;
    tree_->aboutToChange(this, NodeField::ExpandedImage);
    expandedImage_ = tree_->images_.replace(expandedImage_, image);
    tree_->notifyChanged(this, NodeField::ExpandedImage);
}

void TreeNode::SetExpanded(bool expanded) {
    if (expanded_ == expanded)
        return;
    tree_->aboutToChange(this, NodeField::Expanded);
    expanded_ = expanded;
    tree_->notifyChanged(this, NodeField::Expanded);
}

bool TreeNode::Selected() const {
    return tree_->selected_ == this;
}

void TreeNode::SetSelected(bool selected) {
    if (selected)
        tree_->SetSelectedItem(this);
    else if (Selected())
        tree_->SetSelectedItem(nullptr);
}

const QString& TreeNode::Key() const {
    static const QString none;
    return keyed_ ? tree_->keyOf_.find(this)->second : none;
}

bool TreeNode::SetKey(const QString& key) {
    if (key == Key())
        return true;
    auto& keys = tree_->keys_;
    if (!key.isEmpty() && keys.contains(key))
        return false;
    tree_->aboutToChange(this, NodeField::Key);
    if (keyed_)
        keys.remove(Key());
    if (!key.isEmpty()) {
        keys.insert(key, this);
        // The key is changed in place: a reference to it stays good.
        tree_->keyOf_[this] = key;
    } else {
        tree_->keyOf_.erase(this);
    }
    keyed_ = !key.isEmpty();
    tree_->notifyChanged(this, NodeField::Key);
    return true;
}

int TreeNode::Index() const {
    return tree_->indexes_->indexOf(sequence_);
}

TreeNode* TreeNode::Parent() const {
    return parent_ == tree_->top_.get() ? nullptr : parent_;
}

bool TreeNode::SetParent(TreeNode* newParent) {
    return tree_->moveToEnd(this, newParent);
}

TreeNode* TreeNode::Child() const {
    return children_.empty() ? nullptr : children_.front();
}

TreeNode* TreeNode::Next() const {
    return parent_->ChildAt(Row() + 1);
}

TreeNode* TreeNode::Previous() const {
    return parent_->ChildAt(Row() - 1);
}

TreeNode* TreeNode::FirstSibling() const {
    return parent_->children_.front();
}

TreeNode* TreeNode::Root() const {
    const TreeNode* node = this;
    while (node->Parent())
        node = node->parent_;
    return const_cast<TreeNode*>(node);
}

QString TreeNode::FullPath() const {
    QStringList labels;
    for (const TreeNode* node = this; node; node = node->Parent())
        labels.prepend(node->Text());
    // A label that already ends in the separator, like the file system's
    // root "/", is not followed by a second one.
    QString path;
    for (const QString& label : std::as_const(labels)) {
        if (!path.isEmpty() && !path.endsWith(QLatin1Char('/')))
            path += QLatin1Char('/');
        path += label;
    }
    return path;
}

bool TreeNode::IsFolder() const {
    // The folder pictures are fixed texts, known by their numbers.
    return image_ == ImageTexts::Closed || image_ == ImageTexts::Open;
}

int TreeNode::Row() const {
    const ChildList& siblings = parent_->children();
    const int count = static_cast<int>(siblings.size());
    // An insertion or removal before the node moves it by one row, so the
    // neighbours of the remembered row catch most changes without a scan.
    for (int candidate : {rowHint_, rowHint_ - 1, rowHint_ + 1}) {
        if (candidate >= 0 && candidate < count && siblings[candidate] == this) {
            rowHint_ = candidate;
            return candidate;
        }
    }
    for (int row = 0; row < count; ++row) {
        if (siblings[row] == this) {
            rowHint_ = row;
            return row;
        }
    }
    return -1;  // unreachable while the node is in its parent's list
}

TreeNode* TreeNode::ChildAt(int row) const {
    if (row < 0 || row >= Children())
        return nullptr;
    TreeNode* child = children_[row];
    child->rowHint_ = row;
    return child;
}
