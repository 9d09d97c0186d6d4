#pragma once

#include "model/NodeTree.h"
#include "platform/BrowserListPorts.h"
#include "platform/FilterLinePort.h"
#include "platform/MainWindowPort.h"
#include "platform/OfferStripPort.h"
#include "platform/PathLabelPort.h"
#include "platform/PlatformEvents.h"
#include "platform/QuickFindPort.h"
#include "platform/SummonEvents.h"
#include "platform/TrayIconPort.h"
#include "platform/TreeDropEvents.h"
#include "platform/TreeViewPort.h"
#include "tree/ExternalDrop.h"

#include <QRegularExpression>
#include <QStringList>
#include <functional>

// Records every event the Qt layer delivers, in order, as short lines such as
// "MouseDown 1 0 120 45" or "Expand A". The hooks let a test act as the logic.
class RecordingEvents : public MainWindowEvents,
                        public TreeViewEvents,
                        public TreeDropEvents,
                        public ShellDropEvents,
                        public PathLabelEvents,
                        public TrayNotifications,
                        public DriveListEvents,
                        public DirListEvents,
                        public FileListEvents,
                        public SummonEvents,
                        public FilterLineEvents,
                        public QuickFindEvents,
                        public OfferStripEvents {
public:
    PlatformEvents events() {
        return {*this, *this, *this, *this, *this, *this, *this,
                *this, *this, *this, *this, *this, *this};
    }
    void OfferAccept_Click() override { calls << QStringLiteral("OfferAccept"); }
    void OfferDecline_Click() override { calls << QStringLiteral("OfferDecline"); }

    void ShowWindow(const QString& token) override {
        calls << QStringLiteral("ShowWindow ") + token;
    }
    void ToggleWindow(const QString& token) override {
        calls << QStringLiteral("ToggleWindow ") + token;
    }
    void PopupQuickList(const QString& token) override {
        calls << QStringLiteral("PopupQuickList ") + token;
    }
    void Find(const QString& text, const QString& token) override {
        calls << QStringLiteral("Find ") + text + u' ' + token;
    }
    bool SecondStart(const QString& token) override {
        calls << QStringLiteral("SecondStart ") + token;
        return false;
    }
    void QuickFind_Change(const QString& typed) override {
        calls << QStringLiteral("FindChange ") + typed;
    }
    void QuickFind_Choose(int row) override { calls << QStringLiteral("FindChoose %1").arg(row); }
    void QuickFind_ShowInWindow(int row) override {
        calls << QStringLiteral("FindShowInWindow %1").arg(row);
    }
    void QuickFind_Dismiss() override {
        calls << QStringLiteral("FindDismiss");
        if (onFindDismiss)
            onFindDismiss();
    }
    std::function<void()> onFindDismiss;

    bool Form_QueryUnload(int mode) override {
        calls << QStringLiteral("QueryUnload %1").arg(mode);
        return cancelUnload;
    }
    void Form_Resize() override { calls << QStringLiteral("Resize"); }
    void SessionEnding() override { calls << QStringLiteral("SessionEnding"); }
    void Form_MouseMove() override { calls << QStringLiteral("FormMove"); }
    void TreeView_MouseDown(int button, int shift, float x, float y) override {
        calls << QStringLiteral("MouseDown %1 %2 %3 %4").arg(button).arg(shift).arg(x).arg(y);
        if (onMouseDown)
            onMouseDown(x, y);
    }
    void TreeView_DblClick() override { calls << QStringLiteral("DblClick"); }
    void TreeView_DragOver(DragSource source, float x, float y, int state) override {
        calls << QStringLiteral("DragOver %1 %2 %3 %4").arg(int(source)).arg(x).arg(y).arg(state);
    }
    void TreeView_DragRelease(DragSource source, float x, float y) override {
        calls << QStringLiteral("DragRelease %1 %2 %3").arg(int(source)).arg(x).arg(y);
    }
    void TreeView_DragDrop(DragSource source, float x, float y) override {
        calls << QStringLiteral("DragDrop %1 %2 %3").arg(int(source)).arg(x).arg(y);
    }
    // The desktop's drags as "OLEDragOver 1 /a|/b 120 45" (copy allowed, the
    // paths, where); answered as the logic answers.
    bool TreeView_OLEDragOver(const ShellDropData& data, float x, float y) override {
        calls << shellLine("OLEDragOver", data, x, y);
        return ExternalDrop::Acceptable(data);
    }
    void TreeView_OLEDragDrop(const ShellDropData& data, float x, float y) override {
        calls << shellLine("OLEDragDrop", data, x, y);
    }
    void TreeView_MouseMove(int buttons, int, float, float) override {
        if (buttons != 0)  // hovering alone is too often to note
            calls << QStringLiteral("MouseMove %1").arg(buttons);
    }
    void TreeView_MouseUp(int button, int, float, float) override {
        calls << QStringLiteral("MouseUp %1").arg(button);
    }
    void TreeView_AfterLabelEdit(const std::optional<QString>& text) override {
        calls << QStringLiteral("AfterLabelEdit ") + text.value_or(QStringLiteral("(escape)"));
    }
    void TreeView_KeyDown(int key, int shift) override {
        calls << QStringLiteral("Key %1 %2").arg(key).arg(shift);
    }
    void TreeView_NodeClick(TreeNode* n) override {
        note("NodeClick ", n);
        if (onNodeClick)
            onNodeClick(n);
    }
    void TreeView_Collapse(TreeNode* n) override {
        note("Collapse ", n);
        if (followExpansion)
            n->SetExpanded(false);
    }
    void TreeView_Expand(TreeNode* n) override {
        note("Expand ", n);
        if (followExpansion)
            n->SetExpanded(true);
    }
    void PathDisp_DblClick() override { calls << QStringLiteral("PathDblClick"); }
    void PathDisp_MouseMove() override { calls << QStringLiteral("PathMove"); }
    void trayNotify(int id, int message) override {
        calls << QStringLiteral("Tray %1 0x%2").arg(id).arg(message, 0, 16);
    }
    void trayHostChanged(TrayHost host) override {
        calls << QStringLiteral("TrayHost %1").arg(int(host));
    }
    MenuEntry trayMenuForHost() override { return hostMenu; }
    void trayMenuAboutToShow() override { calls << QStringLiteral("TrayMenuAboutToShow"); }
    void trayMenuChosen(const MenuChoice& choice) override {
        calls << QStringLiteral("TrayMenuChosen %1 %2").arg(choice.id).arg(choice.index);
    }

    void DriveList_Change(const QString& drive) override {
        calls << QStringLiteral("DriveChange ") + drive;
    }
    void DriveList_DropDown() override { calls << QStringLiteral("DriveDropDown"); }
    // The lists' events as "Dir Click 2", "File MouseDown 2", "Dir DragOver 1 0" (source, state).
    void DirList_Click(int index) override { list("Dir", "Click", index); }
    void DirList_DblClick() override { calls << QStringLiteral("Dir DblClick"); }
    void DirList_MouseDown(int button, int, float, float) override {
        list("Dir", "MouseDown", button);
    }
    void DirList_MouseMove(int buttons, int, float, float) override {
        if (buttons != 0)
            list("Dir", "MouseMove", buttons);
    }
    void DirList_MouseUp(int button, int, float, float) override { list("Dir", "MouseUp", button); }
    void DirList_DragOver(DragSource source, int state) override {
        list("Dir", "DragOver", int(source), state);
    }
    void FileList_Click(int index) override { list("File", "Click", index); }
    void FileList_DblClick() override { calls << QStringLiteral("File DblClick"); }
    void FileList_MouseDown(int button, int, float, float) override {
        list("File", "MouseDown", button);
    }
    void FileList_MouseMove(int buttons, int, float, float) override {
        if (buttons != 0)
            list("File", "MouseMove", buttons);
    }
    void FileList_MouseUp(int button, int, float, float) override {
        list("File", "MouseUp", button);
    }
    void FileList_DragOver(DragSource source, int state) override {
        list("File", "DragOver", int(source), state);
    }
    void DirList_KeyDown(int key, int shift) override { list("Dir", "KeyDown", key, shift); }
    void FileList_KeyDown(int key, int shift) override { list("File", "KeyDown", key, shift); }
    void FilterKey_Press() override { calls << QStringLiteral("FilterKey"); }
    void FilterLine_Change(const QString& text) override {
        calls << QStringLiteral("FilterChange ") + text;
    }
    void FilterLine_Escape() override { calls << QStringLiteral("FilterEscape"); }
    // Kept apart: a window that comes to the front brings the focus at a
    // moment of its own choosing.
    void TreeView_GotFocus() override { focuses << QStringLiteral("Tree"); }
    void DirList_GotFocus() override { focuses << QStringLiteral("Dir"); }
    void FileList_GotFocus() override { focuses << QStringLiteral("File"); }

    // The calls whose line starts with the prefix.
    QStringList only(const QString& prefix) const {
        return calls.filter(QRegularExpression(u'^' + QRegularExpression::escape(prefix)));
    }

    QStringList calls;
    QStringList focuses;  // the controls the focus came to, other than by a click
    bool cancelUnload = true;
    bool followExpansion = true;  // as the logic does: the tree follows the user
    MenuEntry hostMenu;
    std::function<void(float x, float y)> onMouseDown;
    std::function<void(TreeNode*)> onNodeClick;

private:
    static QString shellLine(const char* event, const ShellDropData& data, float x, float y) {
        return QStringLiteral("%1 %2 %3 %4 %5")
            .arg(QLatin1String(event))
            .arg(int(data.copyAllowed))
            .arg(data.paths.join(QLatin1Char('|')))
            .arg(x)
            .arg(y);
    }
    void note(const char* event, TreeNode* n) { calls << QLatin1String(event) + n->Text(); }
    void list(const char* list, const char* event, int value, std::optional<int> more = {}) {
        QString line =
            QStringLiteral("%1 %2 %3").arg(QLatin1String(list), QLatin1String(event)).arg(value);
        if (more)
            line += u' ' + QString::number(*more);
        calls << line;
    }
};
