#include "QtDriveList.h"

#include "platform/qt/browser/DriveListAccessible.h"

#include <QAbstractItemView>
#include <utility>

DriveListBox::DriveListBox(QWidget* parent) : QComboBox(parent) {
    DriveListAccessible::install();
}

void DriveListBox::showPopup() {
    Q_EMIT aboutToShowPopup();
    QComboBox::showPopup();
}

void QtDriveList::bind(DriveListBox* box) {
    if (box_)
        box_->disconnect(this);
    box_ = box;
    if (!box_)
        return;
    connect(box_, &QComboBox::activated, this, &QtDriveList::picked);
    connect(box_, &DriveListBox::aboutToShowPopup, this, [this] {
        if (events_ && !following_)
            events_->DriveList_DropDown();
    });
    show();
}

void QtDriveList::setDrives(const QStringList& roots) {
    drives_ = roots;
    show();
}

void QtDriveList::setCurrent(const QString& root) {
    current_ = root;
    show();
}

// The current drive is always among the entries, also one the list of
// volumes left out or has not brought yet.
void QtDriveList::show() {
    if (!box_)
        return;
    QStringList entries = drives_;
    if (!current_.isEmpty() && !entries.contains(current_))
        entries << current_;
    const bool wasFollowing = std::exchange(following_, true);
    QStringList shown;
    for (int i = 0; i < box_->count(); ++i)
        shown << box_->itemText(i);
    if (shown != entries) {
        const bool open = box_->view()->isVisible();
        box_->clear();
        box_->addItems(entries);
        if (open) {
            // A list that opened before the drives came is opened again with them.
            box_->hidePopup();
            box_->showPopup();
        }
    }
    box_->setCurrentIndex(static_cast<int>(entries.indexOf(current_)));
    following_ = wasFollowing;
}

void QtDriveList::picked(int index) {
    const QString drive = box_->itemText(index);
    if (!events_ || drive == current_)
        return;
    current_ = drive;
    events_->DriveList_Change(drive);
}
