#pragma once

#include "model/NodeTree.h"
#include "platform/MainWindowEvents.h"

#include <QRegularExpression>
#include <QStringList>
#include <functional>

// Records every event the Qt layer delivers, in order, as short lines such as
// "MouseDown 1 0 120 45" or "Expand A". The hook lets a test act as the logic.
class RecordingEvents : public MainWindowEvents {
public:
    bool Form_QueryUnload(int mode) override {
        calls << QStringLiteral("QueryUnload %1").arg(mode);
        return cancelUnload;
    }
    void Form_Resize() override { calls << QStringLiteral("Resize"); }
    void SessionEnding() override { calls << QStringLiteral("SessionEnding"); }
    void TreeView_MouseDown(int button, int shift, float x, float y) override {
        calls << QStringLiteral("MouseDown %1 %2 %3 %4").arg(button).arg(shift).arg(x).arg(y);
        if (onMouseDown)
            onMouseDown(x, y);
    }
    void TreeView_DblClick() override { calls << QStringLiteral("DblClick"); }
    void TreeView_NodeClick(TreeNode* n) override { note("NodeClick ", n); }
    void TreeView_Collapse(TreeNode* n) override { note("Collapse ", n); }
    void TreeView_Expand(TreeNode* n) override { note("Expand ", n); }
    void PathDisp_DblClick() override { calls << QStringLiteral("PathDblClick"); }
    void trayNotify(int id, int message) override {
        calls << QStringLiteral("Tray %1 0x%2").arg(id).arg(message, 0, 16);
    }
    void trayUnavailable() override { calls << QStringLiteral("TrayUnavailable"); }
    MenuEntry trayMenuForHost() override {
        calls << QStringLiteral("TrayMenuForHost");
        MenuEntry menu, unload;
        unload.name = QStringLiteral("tiUnload");
        unload.caption = QStringLiteral("Unload");
        menu.children.push_back(unload);
        return menu;
    }
    void trayMenuChosen(const MenuChoice& choice) override {
        calls << QStringLiteral("TrayMenuChosen ") + choice.name;
    }

    // The calls whose line starts with the prefix.
    QStringList only(const QString& prefix) const {
        return calls.filter(QRegularExpression(u'^' + QRegularExpression::escape(prefix)));
    }

    QStringList calls;
    bool cancelUnload = true;
    std::function<void(float x, float y)> onMouseDown;

private:
    void note(const char* event, TreeNode* n) { calls << QLatin1String(event) + n->Text(); }
};
