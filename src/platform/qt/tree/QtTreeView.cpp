#include "QtTreeView.h"

#include "platform/qt/ControlDrag.h"
#include "platform/qt/QtImageList.h"
#include "platform/qt/TwipsScale.h"
#include "platform/qt/tree/NodeTreeModel.h"
#include "platform/qt/tree/NodeTreeView.h"
#include "platform/qt/tree/ShellDropController.h"
#include "platform/qt/tree/TreeDropController.h"
#include "platform/qt/tree/TreeViewController.h"

#include <QApplication>
#include <cmath>

QtTreeView::QtTreeView(const QtImageList& images) : images_(images) {}

QtTreeView::~QtTreeView() {
    disconnectAll();
}

void QtTreeView::attach(NodeTree* tree, TreeViewEvents* events, TreeDropEvents* drops,
                        ShellDropEvents* shellDrops) {
    disconnectAll();
    tree_ = tree;
    events_ = events;
    drops_ = drops;
    shellDrops_ = shellDrops;
    connectUp();
}

void QtTreeView::bind(NodeTreeView* view) {
    disconnectAll();
    view_ = view;
    connectUp();
}

// The model is made only once there is a view to show it in.
void QtTreeView::connectUp() {
    if (!tree_ || !events_ || !view_)
        return;
    model_ = std::make_unique<NodeTreeModel>(*tree_, images_);
    controller_ = std::make_unique<TreeViewController>(*view_, *model_, *events_);
    if (drops_)
        dropController_ = std::make_unique<TreeDropController>(*view_, *drops_);
    if (shellDrops_)
        shellDropController_ = std::make_unique<ShellDropController>(*view_, *shellDrops_);
}

void QtTreeView::disconnectAll() {
    shellDropController_.reset();
    dropController_.reset();
    controller_.reset();  // the view lets go of the model first
    model_.reset();
}

TreeNode* QtTreeView::HitTest(float x, float y) const {
    if (!controller_)
        return nullptr;
    const QPointF pixels = TwipsScale::of(view_).toPixels(x, y);
    return controller_->nodeAt(
        QPoint(static_cast<int>(std::floor(pixels.x())), static_cast<int>(std::floor(pixels.y()))));
}

void QtTreeView::ScrollTo(TreeNode* node) {
    if (controller_)
        controller_->scrollTo(node);
}

int QtTreeView::GetVisibleCount() const {
    return controller_ ? controller_->visibleCount() : 0;
}

void QtTreeView::StartLabelEdit(TreeNode* node) {
    if (controller_)
        controller_->editLabel(node);
}

// The drag carries a type of ours, which the tree alone takes, and what the
// node offers outside the window. It runs to its end here, as a drag does.
void QtTreeView::BeginDrag(const QString& picture, const std::optional<OutsideOffer>& outside) {
    if (!view_)
        return;
    tempImage_ = images_.dragPicture(picture);
    ControlDrag::exec(view_->viewport(), DragSource::TreeView, tempImage_, outside);
}

float QtTreeView::DragDistance() const {
    if (!view_)
        return 0;
    return TwipsScale::of(view_).toTwips(static_cast<double>(QApplication::startDragDistance()));
}

void QtTreeView::SetDragPicture(DragPicture picture) {
    ControlDrag::setPicture(picture == DragPicture::TempImage
                                ? tempImage_
                                : ControlDrag::picture(QStringLiteral("nodrop")));
}

TwipsSize QtTreeView::Size() const {
    if (!view_)
        return {};
    const TwipsScale scale = TwipsScale::of(view_);
    const QSize pixels = view_->viewport()->size();
    return {scale.toTwips(pixels.width()), scale.toTwips(pixels.height())};
}

float QtTreeView::TwipsPerPixelX() const {
    constexpr float AtUsualDpi = 15;
    return view_ ? static_cast<float>(TwipsScale::of(view_).twipsPerPixel()) : AtUsualDpi;
}

void QtTreeView::ShowOnly(const KeptNodes* kept) {
    if (controller_)
        controller_->showOnly(kept);
}

std::optional<QPoint> QtTreeView::globalPosOf(TreeNode* node) const {
    if (!controller_ || !node)
        return std::nullopt;
    return controller_->globalPosOf(node);
}
