#pragma once

#include <cstdint>
#include <vector>

class TreeNode;

// The ordered children of a node. Taking off the first child costs no more
// than taking off the last: a move empties a folder from the front, one
// child after another, and a plain vector would shift all the rest each
// time, which makes a folder of n children cost n squared.
class ChildList {
public:
    using const_iterator = std::vector<TreeNode*>::const_iterator;

    bool empty() const { return head_ == items_.size(); }
    int size() const { return static_cast<int>(items_.size() - head_); }
    TreeNode* operator[](int row) const { return items_[head_ + row]; }
    TreeNode* front() const { return items_[head_]; }
    TreeNode* back() const { return items_.back(); }
    const_iterator begin() const { return items_.begin() + head_; }
    const_iterator end() const { return items_.end(); }

    void insert(int row, TreeNode* node) {
        if (row == 0 && head_ > 0)
            items_[--head_] = node;
        else
            items_.insert(items_.begin() + head_ + row, node);
    }
    void push_back(TreeNode* node) {
        // A folder filled child after child (as a file is read) starts with
        // room for a few, rather than growing through one and two.
        if (items_.capacity() == 0)
            items_.reserve(4);
        items_.push_back(node);
    }
    void erase(int row) {
        if (row != 0) {
            items_.erase(items_.begin() + head_ + row);
            return;
        }
        ++head_;
        // The slots before the head are given back once they outnumber the
        // children, so they never cost more than the children themselves.
        if (head_ > items_.size() - head_) {
            items_.erase(items_.begin(), items_.begin() + head_);
            head_ = 0;
        }
    }

private:
    std::vector<TreeNode*> items_;
    std::uint32_t head_ = 0;  // slots before the first child, no longer used
};
