#pragma once

#include "platform/TreeViewPort.h"

#include <QPixmap>
#include <QPoint>

#include <memory>

class NodeTree;
class NodeTreeModel;
class NodeTreeView;
class QtImageList;
class ShellDropController;
class ShellDropEvents;
class TreeDropController;
class TreeDropEvents;
class TreeViewController;

// The tree control: shows the NodeTree in the main window's tree widget once
// that exists, and reports what the user does in it. Before the window is
// built there is nothing to hit or scroll.
class QtTreeView : public TreeViewPort {
public:
    explicit QtTreeView(const QtImageList& images);
    ~QtTreeView() override;
    QtTreeView(const QtTreeView&) = delete;
    QtTreeView& operator=(const QtTreeView&) = delete;

    // The tree to show and where its events go; null for all lets go.
    // Without a receiver for the desktop's drops, the tree takes none.
    void attach(NodeTree* tree, TreeViewEvents* events, TreeDropEvents* drops,
                ShellDropEvents* shellDrops = nullptr);
    // The widget to show it in; null lets go.
    void bind(NodeTreeView* view);
    NodeTreeModel* model() const { return model_.get(); }

    TreeNode* HitTest(float x, float y) const override;
    void ScrollTo(TreeNode* node) override;
    int GetVisibleCount() const override;
    void StartLabelEdit(TreeNode* node) override;
    void BeginDrag(const QString& picture, const std::optional<OutsideOffer>& outside) override;
    float DragDistance() const override;
    void SetDragPicture(DragPicture picture) override;
    TwipsSize Size() const override;
    float TwipsPerPixelX() const override;
    void ShowOnly(const KeptNodes* kept) override;

    // Where a menu asked for at a node opens, on the screen.
    std::optional<QPoint> globalPosOf(TreeNode* node) const;

private:
    void connectUp();
    void disconnectAll();

    const QtImageList& images_;
    NodeTree* tree_ = nullptr;
    TreeViewEvents* events_ = nullptr;
    TreeDropEvents* drops_ = nullptr;
    ShellDropEvents* shellDrops_ = nullptr;
    NodeTreeView* view_ = nullptr;  // let go of before it is destroyed
    std::unique_ptr<NodeTreeModel> model_;
    std::unique_ptr<TreeViewController> controller_;
    std::unique_ptr<TreeDropController> dropController_;
    std::unique_ptr<ShellDropController> shellDropController_;
    QPixmap tempImage_;  // TempImage: the picture the tree's drag began with
};
