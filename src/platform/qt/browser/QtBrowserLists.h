#pragma once

#include "platform/BrowserListPorts.h"
#include "platform/qt/browser/BrowserListController.h"
#include "platform/qt/browser/BrowserListModel.h"

#include <QPoint>
#include <QString>
#include <memory>
#include <optional>
#include <utility>

class BrowserListView;
class QtImageList;

// What the two browser lists have in common on the Qt side: their rows,
// which shows, the highlighted entry, the reading mark and the drag, all
// kept while the window is not built and handed to the list's widget when
// it comes.
class QtListControl {
public:
    QtListControl(DragSource source, bool visible, std::unique_ptr<BrowserListModel> model);
    ~QtListControl();
    QtListControl(const QtListControl&) = delete;
    QtListControl& operator=(const QtListControl&) = delete;

    // The list's widget; null lets go of it, before the widget goes.
    void bind(BrowserListView* view);
    // Where the list reports; empty reports let go.
    void setReports(ListReports reports);
    BrowserListModel& model() { return *model_; }

    void setRows(const QStringList& chain, const QStringList& names);
    void setVisible(bool visible);
    void setListIndex(int index);
    void setReading(bool reading);
    void setDragPicture(const QString& key);
    void beginDrag();
    // Where a menu asked for with a key opens: under the current entry, on
    // the screen; none while the list is not shown.
    std::optional<QPoint> globalPosOfCurrent() const;

private:
    void connectUp();

    DragSource source_;
    bool visible_;
    std::unique_ptr<BrowserListModel> model_;
    ListReports reports_;
    BrowserListView* view_ = nullptr;
    std::unique_ptr<BrowserListController> controller_;
    int listIndex_ = -1;
    bool reading_ = false;
    QString dragPicture_;
    bool dragging_ = false;  // the list's drag runs
};

// A browser list's port over its control: what both lists answer alike.
template <class Port>
class QtBrowserList : public Port {
public:
    void bind(BrowserListView* view) { control_.bind(view); }
    BrowserListModel& model() { return control_.model(); }

    void setVisible(bool visible) override { control_.setVisible(visible); }
    void setListIndex(int index) override { control_.setListIndex(index); }
    void setReading(bool reading) override { control_.setReading(reading); }
    void setDragPicture(const QString& key) override { control_.setDragPicture(key); }
    void BeginDrag() override { control_.beginDrag(); }
    std::optional<QPoint> globalPosOfCurrent() const { return control_.globalPosOfCurrent(); }

protected:
    QtBrowserList(DragSource source, bool visible, std::unique_ptr<BrowserListModel> model)
        : control_(source, visible, std::move(model)) {}
    QtListControl control_;
};

class QtDirList : public QtBrowserList<DirListPort> {
public:
    explicit QtDirList(const QtImageList& images);
    void setEvents(DirListEvents* events);
    void setEntries(const QStringList& chain, const QStringList& subdirectories) override;
};

class QtFileList : public QtBrowserList<FileListPort> {
public:
    QtFileList();
    void setEvents(FileListEvents* events);
    void setFiles(const QStringList& names) override;
};
