#include "ControlDrag.h"

#include "DragCursors.h"

#include <QDrag>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QWidget>
#include <array>
#include <utility>

namespace {
constexpr int Size = 32;

// The drag under way and its cursors: there is at most one.
QPointer<QDrag> current;
DragCursors* cursors = nullptr;

struct SourceName {
    DragSource source;
    const char* name;
};
constexpr std::array<SourceName, 3> SourceNames{{
    {DragSource::TreeView, "TreeView"},
    {DragSource::DirList, "DirList"},
    {DragSource::FileList, "FileList"},
}};

// A sheet of paper with a folded corner: what is being carried.
void drawSheet(QPainter& painter) {
    QPainterPath sheet;
    sheet.moveTo(8, 4);
    sheet.lineTo(20, 4);
    sheet.lineTo(26, 10);
    sheet.lineTo(26, 28);
    sheet.lineTo(8, 28);
    sheet.closeSubpath();
    painter.setPen(QPen(QColor(60, 60, 60), 1.5));
    painter.setBrush(Qt::white);
    painter.drawPath(sheet);
    painter.drawLine(QPointF(20, 4), QPointF(20, 10));
    painter.drawLine(QPointF(20, 10), QPointF(26, 10));
}

// A green arrow pointing down into a tray: it may be put here.
void drawDrop(QPainter& painter) {
    painter.setPen(QPen(QColor(30, 120, 50), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(QPointF(16, 4), QPointF(16, 20));
    painter.drawPolyline(
        std::array<QPointF, 3>{QPointF(9, 13), QPointF(16, 20), QPointF(23, 13)}.data(), 3);
    painter.drawPolyline(
        std::array<QPointF, 4>{QPointF(5, 20), QPointF(5, 27), QPointF(27, 27), QPointF(27, 20)}
            .data(),
        4);
}

// The actions a drag lets its target take, and the one it proposes. One
// that may end outside the window copies or links, so that no program
// there moves the user's file; the window's own drops go by the drag's
// source, whatever the action.
std::pair<Qt::DropActions, Qt::DropAction> actionsFor(DragSource control, bool outside) {
    if (outside)
        return {Qt::CopyAction | Qt::LinkAction, Qt::CopyAction};
    // A node of the tree is moved, an entry of the browser copied.
    return {Qt::CopyAction | Qt::MoveAction,
            control == DragSource::TreeView ? Qt::MoveAction : Qt::CopyAction};
}

// A red ring with a bar across: it may not be put here.
void drawNoDrop(QPainter& painter) {
    painter.setPen(QPen(QColor(190, 30, 30), 3.5));
    painter.setBrush(QColor(255, 255, 255, 200));
    painter.drawEllipse(QPointF(16, 16), 11, 11);
    painter.drawLine(QPointF(8.5, 8.5), QPointF(23.5, 23.5));
}
}  // namespace

namespace ControlDrag {
QString mimeType() {
    return QStringLiteral("application/x-varnel-control");
}

QMimeData* dataFor(DragSource source) {
    auto* data = new QMimeData;
    for (const SourceName& entry : SourceNames) {
        if (entry.source == source)
            data->setData(mimeType(), QByteArray(entry.name));
    }
    return data;
}

QMimeData* dataFor(DragSource source, const OutsideOffer& outside) {
    QMimeData* data = dataFor(source);
    data->setData(QStringLiteral("text/uri-list"), outside.uri);
    data->setData(QStringLiteral("text/plain"), outside.text);
    return data;
}

std::optional<DragSource> sourceOf(const QMimeData* data) {
    if (!data || !data->hasFormat(mimeType()))
        return std::nullopt;
    const QByteArray name = data->data(mimeType());
    for (const SourceName& entry : SourceNames) {
        if (name == entry.name)
            return entry.source;
    }
    return std::nullopt;
}

QPixmap picture(const QString& key) {
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (key == QLatin1String("drag"))
        drawSheet(painter);
    else if (key == QLatin1String("drop"))
        drawDrop(painter);
    else
        drawNoDrop(painter);
    return pixmap;
}
}  // namespace ControlDrag

void ControlDrag::exec(QWidget* source, DragSource control, const QPixmap& picture,
                       const std::optional<OutsideOffer>& outside) {
    auto* drag = new QDrag(source);
    drag->setMimeData(outside ? dataFor(control, *outside) : dataFor(control));
    // No picture beside the pointer: the cursor is the picture.
    QPixmap none(1, 1);
    none.fill(Qt::transparent);
    drag->setPixmap(none);
    DragCursors shown(*drag, picture, outside.has_value());
    // Null when the pointer is over anything but a part of the window that
    // takes drags: another program, say.
    const QMetaObject::Connection following =
        QObject::connect(drag, &QDrag::targetChanged, drag,
                         [&shown](QObject* target) { shown.overWindow(target != nullptr); });
    current = drag;
    cursors = &shown;
    const auto [actions, proposed] = actionsFor(control, outside.has_value());
    drag->exec(actions, proposed);
    QObject::disconnect(following);
    current = nullptr;
    cursors = nullptr;
}

void ControlDrag::setPicture(const QPixmap& picture) {
    if (current && cursors)
        cursors->show(picture);
}
