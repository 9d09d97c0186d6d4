#pragma once

#include "platform/BrowserListPorts.h"

#include <QComboBox>
#include <QObject>
#include <QStringList>

// The drive list's widget: a combo box that tells when its list is about to
// open, so that the drives can be looked at again.
class DriveListBox : public QComboBox {
    Q_OBJECT
public:
    explicit DriveListBox(QWidget* parent = nullptr);
    void showPopup() override;

Q_SIGNALS:
    void aboutToShowPopup();
};

// The drive list DriveList: the drives and the current one are kept while
// the window is not built; a pick of another drive is reported, a drive set
// by the logic is not.
class QtDriveList : public QObject, public DriveListPort {
    Q_OBJECT
public:
    void setEvents(DriveListEvents* events) { events_ = events; }
    // The widget to show the drives in; null lets go of it, before it goes.
    void bind(DriveListBox* box);

    void setDrives(const QStringList& roots) override;
    void setCurrent(const QString& root) override;

private:
    void show();
    void picked(int index);

    DriveListBox* box_ = nullptr;
    DriveListEvents* events_ = nullptr;
    QStringList drives_;
    QString current_;
    bool following_ = false;
};
