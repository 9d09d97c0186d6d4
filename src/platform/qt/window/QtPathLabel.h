#pragma once

#include "platform/PathLabelPort.h"

#include <QObject>
#include <QPointer>

class QLabel;

// The path label PathDisp: keeps its caption while the window is not built,
// and reports double clicks on it.
class QtPathLabel : public QObject, public PathLabelPort {
    Q_OBJECT
public:
    void setEvents(PathLabelEvents* events) { events_ = events; }
    // The label to show the caption in; null lets go of it.
    void bind(QLabel* label);

    QString caption() const override { return caption_; }
    void setCaption(const QString& caption) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QLabel> label_;
    QString caption_;
    PathLabelEvents* events_ = nullptr;
};
