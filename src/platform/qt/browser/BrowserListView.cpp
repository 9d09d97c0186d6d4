#include "BrowserListView.h"

#include "platform/qt/FocusVisibleStyle.h"
#include "platform/qt/browser/BrowserListModel.h"

#include <QAccessible>
#include <QLabel>
#include <QStyledItemDelegate>

namespace {
// Moves each row right by its depth, so the chain above the open directory
// reads as a path going down and its subdirectories hang under it.
class IndentingDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem indented = option;
        indented.rect.setLeft(option.rect.left() + indentOf(index));
        QStyledItemDelegate::paint(painter, indented, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(indentOf(index), 0);
    }

private:
    static int indentOf(const QModelIndex& index) {
        return 12 * index.data(BrowserListModel::DepthRole).toInt();
    }
};
}  // namespace

BrowserListView::BrowserListView(QWidget* parent)
    : QListView(parent), reading_(new QLabel(tr("Reading\u2026"), this)) {
    setUniformItemSizes(true);
    // The pictures are drawn small whatever sizes the icon theme offers, so
    // that a row stays a line of text high.
    setIconSize(QSize(16, 16));
    // A long name ends in an ellipsis, its whole text in its tip.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideRight);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    // Drags come to the list only to be told apart: its own leaving and
    // coming back changes its picture. Nothing is ever dropped here.
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    // The lists' menus open on the right press, from the logic.
    setContextMenuPolicy(Qt::PreventContextMenu);
    setItemDelegate(new IndentingDelegate(this));
    // Every edge of the frame shows, on a screen scaled by 150 % too, and the
    // frame tells whether the keyboard is here.
    auto* style = new FocusVisibleStyle;
    style->setParent(this);
    setStyle(style);
    viewport()->setMouseTracking(true);
    reading_->setAutoFillBackground(true);
    reading_->setMargin(2);
    reading_->hide();
}

void BrowserListView::setReading(bool reading) {
    reading_->setVisible(reading);
    if (reading) {
        placeReadingLabel();
        viewport()->setCursor(Qt::BusyCursor);
    } else {
        viewport()->unsetCursor();
    }
}

bool BrowserListView::isReading() const {
    return !reading_->isHidden();
}

void BrowserListView::resizeEvent(QResizeEvent* event) {
    QListView::resizeEvent(event);
    placeReadingLabel();
}

void BrowserListView::placeReadingLabel() {
    const QRect area = viewport()->geometry();
    const int height = reading_->sizeHint().height();
    reading_->setGeometry(area.left(), area.bottom() + 1 - height, area.width(), height);
    reading_->raise();
}

// The entry is told as the focus only where the keyboard is: the program
// sets the current entry of a list that is hidden too (the file list, when
// a directory opens), and a screen reader would move into the hidden list.
void BrowserListView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QAbstractItemView::currentChanged(current, previous);
    if (!QAccessible::isActive() || !current.isValid() || !isVisible() || !hasFocus())
        return;
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(current.row());  // a list of one column, no row hidden
    QAccessible::updateAccessibility(&event);
}
