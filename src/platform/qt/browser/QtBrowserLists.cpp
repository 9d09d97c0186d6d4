#include "QtBrowserLists.h"

#include "model/ImageKeys.h"
#include "platform/qt/ControlDrag.h"
#include "platform/qt/QtImageList.h"
#include "platform/qt/browser/BrowserListView.h"

QtListControl::QtListControl(DragSource source, bool visible,
                             std::unique_ptr<BrowserListModel> model)
    : source_(source), visible_(visible), model_(std::move(model)) {}

QtListControl::~QtListControl() {
    controller_.reset();
}

void QtListControl::bind(BrowserListView* view) {
    controller_.reset();
    if (view_)
        view_->setModel(nullptr);
    view_ = view;
    if (!view_)
        return;
    view_->setModel(model_.get());
    view_->setVisible(visible_);
    view_->setReading(reading_);
    connectUp();
}

void QtListControl::setReports(ListReports reports) {
    reports_ = std::move(reports);
    connectUp();
}

// The view reports only once there is somewhere to report to.
void QtListControl::connectUp() {
    controller_.reset();
    if (!view_ || !reports_.click)
        return;
    controller_ = std::make_unique<BrowserListController>(*view_, reports_);
    controller_->setChainLength(model_->chainLength());
    controller_->showIndex(listIndex_);
}

void QtListControl::setRows(const QStringList& chain, const QStringList& names) {
    model_->setRows(chain, names);
    listIndex_ = -1;
    if (controller_)
        controller_->setChainLength(model_->chainLength());
}

void QtListControl::setVisible(bool visible) {
    visible_ = visible;
    if (view_)
        view_->setVisible(visible);
}

std::optional<QPoint> QtListControl::globalPosOfCurrent() const {
    if (!view_ || !view_->isVisible())
        return std::nullopt;
    const QRect row = view_->visualRect(view_->currentIndex());
    const QRect shown = view_->viewport()->rect();
    // A current row scrolled out of sight, or none: the list's top corner.
    const QPoint at = row.isValid() && shown.intersects(row) ? row.bottomLeft() : QPoint();
    return view_->viewport()->mapToGlobal(at);
}

void QtListControl::setListIndex(int index) {
    listIndex_ = index;
    if (controller_)
        controller_->showIndex(index);
}

void QtListControl::setReading(bool reading) {
    reading_ = reading;
    if (view_)
        view_->setReading(reading);
}

// The logic says which picture shows, over the list, off it and over the
// tree; only the list's own drag takes it.
void QtListControl::setDragPicture(const QString& key) {
    dragPicture_ = key;
    if (dragging_)
        ControlDrag::setPicture(ControlDrag::picture(key));
}

// The drag carries a type of ours naming the list: the tree alone takes it,
// and reads what the list has highlighted. It runs to its end here.
void QtListControl::beginDrag() {
    if (!view_ || dragging_)
        return;
    dragging_ = true;
    ControlDrag::exec(view_->viewport(), source_, ControlDrag::picture(dragPicture_));
    dragging_ = false;
}

namespace {
std::unique_ptr<BrowserListModel> folderModel(const QtImageList& images) {
    return std::make_unique<BrowserListModel>(images.iconFor(ImageKeys::open()),
                                              images.iconFor(ImageKeys::closed()));
}
}  // namespace

QtDirList::QtDirList(const QtImageList& images)
    : QtBrowserList(DragSource::DirList, true, folderModel(images)) {}

void QtDirList::setEntries(const QStringList& chain, const QStringList& subdirectories) {
    control_.setRows(chain, subdirectories);
}

void QtDirList::setEvents(DirListEvents* events) {
    if (!events) {
        control_.setReports({});
        return;
    }
    control_.setReports({
        [events](int index) { events->DirList_Click(index); },
        [events] { events->DirList_DblClick(); },
        [events](int b, int s, float x, float y) { events->DirList_MouseDown(b, s, x, y); },
        [events](int b, int s, float x, float y) { events->DirList_MouseMove(b, s, x, y); },
        [events](int b, int s, float x, float y) { events->DirList_MouseUp(b, s, x, y); },
        [events](DragSource source, int state) { events->DirList_DragOver(source, state); },
        [events] { events->DirList_GotFocus(); },
        [events](int key, int shift) { events->DirList_KeyDown(key, shift); },
    });
}

QtFileList::QtFileList()
    : QtBrowserList(DragSource::FileList, false,
                    std::make_unique<BrowserListModel>(QIcon(), QIcon())) {}

void QtFileList::setFiles(const QStringList& names) {
    control_.setRows({}, names);
}

void QtFileList::setEvents(FileListEvents* events) {
    if (!events) {
        control_.setReports({});
        return;
    }
    control_.setReports({
        [events](int index) { events->FileList_Click(index); },
        [events] { events->FileList_DblClick(); },
        [events](int b, int s, float x, float y) { events->FileList_MouseDown(b, s, x, y); },
        [events](int b, int s, float x, float y) { events->FileList_MouseMove(b, s, x, y); },
        [events](int b, int s, float x, float y) { events->FileList_MouseUp(b, s, x, y); },
        [events](DragSource source, int state) { events->FileList_DragOver(source, state); },
        [events] { events->FileList_GotFocus(); },
        [events](int key, int shift) { events->FileList_KeyDown(key, shift); },
    });
}
