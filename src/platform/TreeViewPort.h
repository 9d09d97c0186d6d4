#pragma once

class TreeNode;

// What the logic asks of the tree widget beyond the model it shows: the hit
// test and scrolling. Selection, expansion, labels and pictures follow the
// model through its adapter.
class TreeViewPort {
public:
    virtual ~TreeViewPort() = default;
    // The node whose picture or label lies at the point (tree coordinates,
    // twips), or none on the blank rest of a row or below the last row.
    virtual TreeNode* HitTest(float x, float y) const = 0;
    virtual void EnsureVisible(TreeNode* node) = 0;
    virtual int GetVisibleCount() const = 0;
};
