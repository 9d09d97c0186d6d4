#pragma once

#include "model/NodeTree.h"
#include "model/QuickEntry.h"
#include "settings/SettingsSink.h"
#include "settings/SettingsValues.h"

#include <QStringList>

// Logs every call of the reader in order and keeps what a window would
// keep. A drive or directory naming "gone" is refused.
class RecordingSink : public SettingsSink {
public:
    explicit RecordingSink(NodeTree& tree) : tree_(tree) {}

    QStringList calls;
    SettingsValues values;
    QuickEntries quickList;

    void applyWinTop(std::int32_t v) override { number("winTop", values.winTop = v); }
    void applyWinLeft(std::int32_t v) override { number("winLeft", values.winLeft = v); }
    void applyWinHeight(std::int32_t v) override { number("winHeight", values.winHeight = v); }
    void applyWinWidth(std::int32_t v) override { number("winWidth", values.winWidth = v); }
    void applyWinState(int v) override { number("winState", values.winState = v); }
    void applyAutoHide(bool v) override { truth("hide", values.hide = v); }
    void applyFullPath(bool v) override { truth("fullPath", values.fullPath = v); }
    bool applyDrive(const QString& v) override {
        note("drive", values.drive = v);
        return !v.contains(QStringLiteral("gone"));
    }
    bool applyDirPath(const QString& v) override {
        note("dirPath", values.dirPath = v);
        return !v.contains(QStringLiteral("gone"));
    }
    void applyDirSel(int v) override { number("dirSel", values.dirSel = v); }
    void applyDirVis(bool v) override { truth("dirVis", values.dirVis = v); }
    bool appendQuickEntry(const QString& caption, const QString& path) override {
        note("quick", caption + u'@' + path);
        if (quickList.size() >= 64)
            return false;
        quickList.push_back({caption, path});
        return true;
    }
    void selectLoadedNode(TreeNode* node) override {
        note("select", node->Text());
        tree_.SetSelectedItem(node);
    }
    void itemIconWanted(TreeNode* node) override { note("icon", node->Text()); }
    void keepOwnLine(const QString& line) override {
        note("own", line);
        values.ownSection << line;
    }

private:
    void note(const char* what, const QString& v) { calls << QString::fromLatin1(what) + u'=' + v; }
    void number(const char* what, qint64 v) { note(what, QString::number(v)); }
    void truth(const char* what, bool v) {
        note(what, v ? QStringLiteral("true") : QStringLiteral("false"));
    }
    NodeTree& tree_;
};

// One line per node in document order: indentation by depth, then the
// fields a reader sets, "+" for expanded and "*" for selected.
inline QStringList dump(const NodeTree& tree) {
    QStringList out;
    for (TreeNode* n = tree.First(); n; n = NodeTree::NextInDocumentOrder(n)) {
        int depth = 0;
        for (TreeNode* p = n->Parent(); p; p = p->Parent())
            ++depth;
        out << QString(depth * 2, u' ') +
                   QStringLiteral("%1|%2|%3|%4|%5|%6")
                       .arg(n->Text(), n->Tag(), n->Image(), n->ExpandedImage(),
                            n->Expanded() ? QStringLiteral("+") : QStringLiteral("-"),
                            n->Selected() ? QStringLiteral("*") : QString());
    }
    return out;
}
