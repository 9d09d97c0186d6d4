#pragma once

#include "model/NodeTree.h"
#include "platform/MainWindowEvents.h"

#include <QStringList>
#include <functional>

// Records every event the Qt layer delivers, in order, as short lines such as
// "MouseDown 1 0 120 45" or "Expand A". Optional hooks act like the logic.
class RecordingEvents : public MainWindowEvents {
public:
    bool Form_QueryUnload(int unloadMode) override {
        calls << QStringLiteral("QueryUnload %1").arg(unloadMode);
        return cancelUnload;
    }
    void Form_Resize() override { calls << QStringLiteral("Resize"); }
    void SessionEnding() override { calls << QStringLiteral("SessionEnding"); }
    void TreeView_MouseDown(int button, int shift, float x, float y) override {
        calls << QStringLiteral("MouseDown %1 %2 %3 %4").arg(button).arg(shift).arg(x).arg(y);
        if (onMouseDown) onMouseDown(x, y);
    }
    void TreeView_DblClick() override { calls << QStringLiteral("DblClick"); }
    void TreeView_NodeClick(TreeNode* node) override { calls << QStringLiteral("NodeClick ") + node->Text(); }
    void TreeView_Collapse(TreeNode* node) override { calls << QStringLiteral("Collapse ") + node->Text(); }
    void TreeView_Expand(TreeNode* node) override { calls << QStringLiteral("Expand ") + node->Text(); }
    void PathDisp_DblClick() override { calls << QStringLiteral("PathDblClick"); }
    void trayNotify(int iconId, int mouseMessage) override {
        calls << QStringLiteral("Tray %1 0x%2").arg(iconId).arg(mouseMessage, 0, 16);
    }
    void trayUnavailable() override { calls << QStringLiteral("TrayUnavailable"); }
    MenuEntry trayMenuForHost() override {
        calls << QStringLiteral("TrayMenuForHost");
        MenuEntry menu;
        menu.name = QStringLiteral("tiMenu");
        menu.caption = QStringLiteral("Tray Icon");
        MenuEntry unload;
        unload.name = QStringLiteral("tiUnload");
        unload.caption = QStringLiteral("Unload");
        menu.children.push_back(unload);
        return menu;
    }
    void trayMenuChosen(const MenuChoice& choice) override {
        calls << QStringLiteral("TrayMenuChosen ") + choice.name;
    }

    // Calls whose line starts with the prefix.
    QStringList only(const QString& prefix) const {
        QStringList matching;
        for (const QString& call : calls) {
            if (call.startsWith(prefix)) matching << call;
        }
        return matching;
    }

    QStringList calls;
    bool cancelUnload = true;
    std::function<void(float x, float y)> onMouseDown;
};
