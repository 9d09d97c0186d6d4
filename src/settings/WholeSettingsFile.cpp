#include "WholeSettingsFile.h"

#include "SettingsReader.h"
#include "SettingsSink.h"
#include "model/NodeTree.h"

namespace {
// Takes in nothing but whether the line that ends the key lines came.
class KeyLinesSeen : public SettingsSink {
public:
    bool dirVisSeen = false;

    void applyWinTop(std::int32_t) override {}
    void applyWinLeft(std::int32_t) override {}
    void applyWinHeight(std::int32_t) override {}
    void applyWinWidth(std::int32_t) override {}
    void applyWinState(int) override {}
    void applyAutoHide(bool) override {}
    void applyFullPath(bool) override {}
    bool applyDrive(const QString&) override { return true; }
    bool applyDirPath(const QString&) override { return true; }
    void applyDirSel(int) override {}
    void applyDirVis(bool) override { dirVisSeen = true; }
    bool appendQuickEntry(const QString&, const QString&) override { return true; }
    void selectLoadedNode(TreeNode*) override {}
    void itemIconWanted(TreeNode*) override {}
    void keepOwnLine(const QString&) override {}
};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The text without the blanks and line ends around it.
QByteArrayView trimmed(QByteArrayView bytes) {
    while (!bytes.isEmpty() && isBlank(bytes.front()))
        bytes = bytes.sliced(1);
    while (!bytes.isEmpty() && isBlank(bytes.back()))
        bytes.chop(1);
    return bytes;
}
}  // namespace

bool IsWholeSettingsFile(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    const QByteArrayView text = trimmed(bytes);
    if (text.isEmpty() || !bytes.endsWith('\n'))
        return false;
    const QByteArrayView lastLine = trimmed(text.sliced(text.lastIndexOf('\n') + 1));
    if (lastLine.startsWith('[') && lastLine.endsWith(']'))
        return false;
    KeyLinesSeen sink;
    NodeTree scratch;
    return ReadSettingsText(bytes, sink, scratch) == 0 && sink.dirVisSeen;
}
