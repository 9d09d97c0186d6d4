#pragma once

#include "RealPlatformOnClock.h"
#include "VirtualClock.h"
#include "app/FrmVarnel.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/tree/NodeTreeModel.h"
#include "platform/qt/tree/NodeTreeView.h"
#include "platform/qt/tree/QtTreeView.h"
#include "platform/qt/window/MainWindowWidget.h"
#include "platform/qt/window/QtMainWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

// The real window over the real logic, its timers on the virtual clock:
// shown by a click on the tray icon and active, its tree holding items
// labelled as given, the tree view focused.
struct RealWindow {
    explicit RealWindow(const QStringList& labels) {
        qt.attach(form.Events(), form.tree());
        if (!form.Form_Load().runs)
            qFatal("start-up refused");
        form.tray().trayNotify(0, TrayLeftUp);
        for (const QString& label : labels)
            nodes << form.tree().Add(nullptr, tvwLast, QString(), label, QStringLiteral("leaf"));
        QWidget* window = qt.window().widget();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            qFatal("the window is not active");
        view().setFocus();
    }
    ~RealWindow() { qt.detach(); }

    NodeTreeView& view() { return *qt.window().widget()->treeView(); }
    QWidget* viewport() { return view().viewport(); }
    NodeTreeModel& model() { return *qt.treeView().model(); }
    QPoint onLabel(const TreeNode* node) {
        return view().labelRect(model().indexOf(node)).center();
    }
    QLineEdit* editorOf(const TreeNode* node) {
        return qobject_cast<QLineEdit*>(view().indexWidget(model().indexOf(node)));
    }
    // Acts on the next message box or menu from the loop that shows it.
    template <typename Shown>
    void whenShown(std::function<void(Shown*)> act) {
        auto* poll = new QTimer(&view());
        QObject::connect(poll, &QTimer::timeout, poll, [act, poll] {
            QWidget* active = QApplication::activePopupWidget();
            if (auto* shown =
                    qobject_cast<Shown*>(active ? active : QApplication::activeModalWidget())) {
                poll->deleteLater();
                act(shown);
            }
        });
        poll->start(10);
    }

    QTemporaryDir dir;
    VirtualClock clock;
    QtPlatform qt;
    FrmVarnel form{onClock(qt.platform(), clock), pathsIn(dir)};
    QList<TreeNode*> nodes;
};
