#include "ShellDropController.h"

#include "DroppedAddresses.h"
#include "files/NameBytes.h"
#include "files/WebAddress.h"
#include "platform/TreeDropEvents.h"
#include "platform/qt/ControlDrag.h"
#include "platform/qt/TwipsScale.h"
#include "platform/qt/tree/NodeTreeView.h"

#include <QDropEvent>
#include <QMimeData>
#include <QSysInfo>
#include <QTimer>
#include <QUrl>
#include <optional>

namespace {
// A file address names a file of this machine when it names no host, or
// names it as "localhost" or by its own name.
bool OnThisMachine(const QUrl& url) {
    const QString host = url.host();
    return host.isEmpty() || host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0 ||
           host.compare(QSysInfo::machineHostName(), Qt::CaseInsensitive) == 0;
}

// The local path a file address names, in its own bytes; none for an
// address of another machine or another scheme. A name that is not UTF-8
// is kept as NameFromBytes keeps it, and an escaped NUL as a NUL: the logic
// refuses both rather than store another path. An escaped "/" is no
// separator, and no name can hold one: such an address names no file.
std::optional<QString> LocalPath(const QUrl& url) {
    if (!url.isLocalFile() || !OnThisMachine(url))
        return std::nullopt;
    const QByteArray escaped = url.path(QUrl::FullyEncoded).toLatin1();
    if (escaped.contains("%2F") || escaped.contains("%2f"))
        return std::nullopt;
    QString path = NameFromBytes(QByteArray::fromPercentEncoding(escaped));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

// A web address as the tree keeps it: fully encoded, as the source gave
// it, so that it opens again exactly as it was dropped. None for another
// scheme: a file of another machine, or what only a browser may run.
std::optional<QString> WebAddressOf(const QUrl& url) {
    if (!url.isValid())
        return std::nullopt;
    const QString address = url.toString(QUrl::FullyEncoded);
    if (!IsWebAddress(address))
        return std::nullopt;
    return address;
}
}  // namespace

ShellDropController::ShellDropController(NodeTreeView& view, ShellDropEvents& events,
                                         QObject* parent)
    : QObject(parent), viewport_(view.viewport()), events_(events) {
    view.viewport()->setAcceptDrops(true);
    viewport_->installEventFilter(this);
}

ShellDropController::~ShellDropController() {
    if (viewport_)
        viewport_->removeEventFilter(this);
}

ShellDropData ShellDropController::decode(const QDropEvent& event, bool withTitles) {
    ShellDropData data;
    data.copyAllowed = event.possibleActions().testFlag(Qt::CopyAction);
    const QMimeData* mime = event.mimeData();
    if (!mime)
        return data;
    const DroppedAddresses dropped = ReadDroppedAddresses(*mime, withTitles);
    for (const QUrl& url : dropped.urls) {
        if (std::optional<QString> path = LocalPath(url)) {
            data.paths << *path;
        } else if (std::optional<QString> address = WebAddressOf(url)) {
            data.paths << *address;
            if (const auto title = dropped.titles.constFind(*address);
                title != dropped.titles.cend())
                data.titles.insert(*address, *title);
        }
    }
    return data;
}

bool ShellDropController::eventFilter(QObject* watched, QEvent* event) {
    if (watched != viewport_)
        return false;
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
        return dragged(static_cast<QDropEvent*>(event));
    case QEvent::DragLeave:
        accepted_ = false;
        return false;  // the window's own drags want to hear of it too
    case QEvent::Drop:
        return dropped(static_cast<QDropEvent*>(event));
    default:
        return false;
    }
}

bool ShellDropController::dragged(QDropEvent* event) {
    if (ControlDrag::sourceOf(event->mimeData()))
        return false;
    const TwipsScale scale = TwipsScale::of(qobject_cast<QWidget*>(viewport_.data()));
    const QPointF where = event->position();
    accepted_ = events_.TreeView_OLEDragOver(decode(*event, false), scale.toTwips(where.x()),
                                             scale.toTwips(where.y()));
    if (accepted_)
        acceptCopy(event);
    else
        event->ignore();
    return true;
}

// The drop is told once the source's drag has ended, so that the drop menu
// has the pointer to itself. The source hears "copied" whatever the menu
// then says: it can no longer be told otherwise.
bool ShellDropController::dropped(QDropEvent* event) {
    if (ControlDrag::sourceOf(event->mimeData()))
        return false;
    if (!std::exchange(accepted_, false)) {
        event->ignore();
        return true;
    }
    acceptCopy(event);
    const TwipsScale scale = TwipsScale::of(qobject_cast<QWidget*>(viewport_.data()));
    const QPointF where = event->position();
    const float x = scale.toTwips(where.x());
    const float y = scale.toTwips(where.y());
    QTimer::singleShot(
        0, this, [this, data = decode(*event), x, y] { events_.TreeView_OLEDragDrop(data, x, y); });
    return true;
}

void ShellDropController::acceptCopy(QDropEvent* event) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
}
