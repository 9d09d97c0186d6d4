#pragma once

#include "BrowserListController.h"
#include "BrowserListModel.h"
#include "platform/BrowserListPorts.h"

#include <QPointer>
#include <QString>
#include <memory>

class BrowserListView;
class QDrag;
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

private:
    void connectUp();
    void applyDragPicture();

    DragSource source_;
    bool visible_;
    std::unique_ptr<BrowserListModel> model_;
    ListReports reports_;
    BrowserListView* view_ = nullptr;
    std::unique_ptr<BrowserListController> controller_;
    int listIndex_ = -1;
    bool reading_ = false;
    QString dragPicture_;
    QPointer<QDrag> drag_;  // the list's drag while it runs
};

class QtDirList : public DirListPort {
public:
    explicit QtDirList(const QtImageList& images);
    void bind(BrowserListView* view) { control_.bind(view); }
    void setEvents(DirListEvents* events);
    BrowserListModel& model() { return control_.model(); }

    void setEntries(const QStringList& chain, const QStringList& subdirectories) override;
    void setVisible(bool visible) override { control_.setVisible(visible); }
    void setListIndex(int index) override { control_.setListIndex(index); }
    void setReading(bool reading) override { control_.setReading(reading); }
    void setDragPicture(const QString& key) override { control_.setDragPicture(key); }
    void BeginDrag() override { control_.beginDrag(); }

private:
    QtListControl control_;
};

class QtFileList : public FileListPort {
public:
    QtFileList();
    void bind(BrowserListView* view) { control_.bind(view); }
    void setEvents(FileListEvents* events);
    BrowserListModel& model() { return control_.model(); }

    void setFiles(const QStringList& names) override;
    void setVisible(bool visible) override { control_.setVisible(visible); }
    void setListIndex(int index) override { control_.setListIndex(index); }
    void setReading(bool reading) override { control_.setReading(reading); }
    void setDragPicture(const QString& key) override { control_.setDragPicture(key); }
    void BeginDrag() override { control_.beginDrag(); }

private:
    QtListControl control_;
};
