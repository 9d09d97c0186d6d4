#include "QuickFindDelegate.h"

#include "QuickFindModel.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>

namespace {
QFont pathFont(const QFont& font) {
    QFont smaller = font;
    if (font.pointSizeF() > 0)
        smaller.setPointSizeF(font.pointSizeF() * 0.85);
    else
        smaller.setPixelSize(std::max(1, font.pixelSize() * 85 / 100));
    return smaller;
}
}  // namespace

void QuickFindDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const QString path = index.data(QuickFindModel::PathRole).toString();
    if (path.isEmpty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The picture, background and caption as usual, in the upper part.
    QStyleOptionViewItem top = option;
    initStyleOption(&top, index);
    const QFontMetrics pathMetrics(pathFont(option.font));
    top.rect.setHeight(option.rect.height() - pathMetrics.height());
    QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    painter->save();
    if (option.state & QStyle::State_Selected)
        painter->fillRect(option.rect, option.palette.highlight());
    style->drawControl(QStyle::CE_ItemViewItem, &top, painter, option.widget);
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &top, option.widget);
    const QRect pathRect(textRect.left(), top.rect.bottom() + 1, textRect.width(),
                         pathMetrics.height());
    painter->setFont(pathFont(option.font));
    painter->setPen(option.palette.color(option.state & QStyle::State_Selected
                                             ? QPalette::HighlightedText
                                             : QPalette::PlaceholderText));
    painter->drawText(pathRect, Qt::AlignLeft | Qt::AlignVCenter,
                      pathMetrics.elidedText(path, Qt::ElideMiddle, pathRect.width()));
    painter->restore();
}

QSize QuickFindDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (!index.data(QuickFindModel::PathRole).toString().isEmpty())
        size.rheight() += QFontMetrics(pathFont(option.font)).height();
    return size;
}
