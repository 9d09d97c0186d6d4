#pragma once

#include <QAccessibleWidget>

class QComboBox;

// The drive list as a screen reader sees it: a combo box called by its own
// name ("Drive"), the drive chosen as its value, its list of drives as its
// child. Qt's own interface on Linux names a combo box by its value, which
// says "/" and not what the control is for.
class DriveListAccessible : public QAccessibleWidget {
public:
    explicit DriveListAccessible(QComboBox* box);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

    // Makes every DriveListBox use this interface.
    static void install();

private:
    QComboBox* box() const;
};
