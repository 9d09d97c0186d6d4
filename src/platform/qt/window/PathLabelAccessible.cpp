#include "PathLabelAccessible.h"

#include "platform/qt/AccessibleFactory.h"

#include <QLabel>

namespace {
// Of the window's labels, only the path label reads out as a path.
bool isPathLabel(const QLabel& label) {
    return label.objectName() == QLatin1String("PathDisp");
}
}  // namespace

PathLabelAccessible::PathLabelAccessible(QLabel* label)
    : QAccessibleWidget(label, QAccessible::StaticText) {}

void PathLabelAccessible::install() {
    InstallAccessibleFactory<QLabel, PathLabelAccessible, isPathLabel>();
}

QString PathLabelAccessible::shown() const {
    return static_cast<QLabel*>(widget())->text();
}

QString PathLabelAccessible::text(QAccessible::Text t) const {
    return t == QAccessible::Value ? shown() : QAccessibleWidget::text(t);
}

void* PathLabelAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

void PathLabelAccessible::selection(int, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
}

QString PathLabelAccessible::text(int startOffset, int endOffset) const {
    const QString all = shown();
    if (startOffset < 0 || endOffset < startOffset || startOffset > all.size())
        return {};
    return all.mid(startOffset, endOffset - startOffset);
}

int PathLabelAccessible::characterCount() const {
    return static_cast<int>(shown().size());
}

QString PathLabelAccessible::attributes(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}
