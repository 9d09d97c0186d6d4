#include "DriveListAccessible.h"

#include "platform/qt/AccessibleFactory.h"
#include "platform/qt/browser/QtDriveList.h"

#include <QAbstractItemView>

DriveListAccessible::DriveListAccessible(QComboBox* box)
    : QAccessibleWidget(box, QAccessible::ComboBox) {}

void DriveListAccessible::install() {
    InstallAccessibleFactory<DriveListBox, DriveListAccessible>();
}

QComboBox* DriveListAccessible::box() const {
    return static_cast<QComboBox*>(widget());
}

QString DriveListAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value)
        return box()->currentText();
    return QAccessibleWidget::text(t);
}

QAccessible::State DriveListAccessible::state() const {
    QAccessible::State st = QAccessibleWidget::state();
    st.expandable = true;
    st.expanded = box()->view()->isVisible();
    st.collapsed = !st.expanded;
    return st;
}

int DriveListAccessible::childCount() const {
    return 1;
}

QAccessibleInterface* DriveListAccessible::child(int index) const {
    return index == 0 ? QAccessible::queryAccessibleInterface(box()->view()) : nullptr;
}

int DriveListAccessible::indexOfChild(const QAccessibleInterface* child) const {
    return child && child->object() == box()->view() ? 0 : -1;
}

QStringList DriveListAccessible::actionNames() const {
    return QAccessibleWidget::actionNames() << showMenuAction() << pressAction();
}

// Opens the list as a click does, so the drives are looked at again.
void DriveListAccessible::doAction(const QString& actionName) {
    if (actionName != showMenuAction() && actionName != pressAction()) {
        QAccessibleWidget::doAction(actionName);
        return;
    }
    if (box()->view()->isVisible())
        box()->hidePopup();
    else
        box()->showPopup();
}

QStringList DriveListAccessible::keyBindingsForAction(const QString& actionName) const {
    if (actionName == showMenuAction())
        return {QStringLiteral("Alt+Down")};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}
