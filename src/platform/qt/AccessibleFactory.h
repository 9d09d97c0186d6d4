#pragma once

#include <QAccessible>

// Gives widgets of class Widget the screen reader's interface Interface,
// built from the widget: installed the first time it is asked for, once in
// the program's life, as Qt keeps its factories to the end. Accepts may
// narrow it to some widgets of the class.
template <typename Widget, typename Interface,
          bool (*Accepts)(const Widget&) = [](const Widget&) { return true; }>
void InstallAccessibleFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(
            [](const QString& className, QObject* object) -> QAccessibleInterface* {
                if (className != QLatin1String(Widget::staticMetaObject.className()))
                    return nullptr;
                auto* widget = qobject_cast<Widget*>(object);
                return widget && Accepts(*widget) ? new Interface(widget) : nullptr;
            });
        return true;
    }();
    Q_UNUSED(installed);
}
