// Reads any bytes as a settings file, saves what it read, reads that save and
// saves again. The two saves must be equal: a file must read the same before
// and after a save, or every save would change what the user has. The
// sanitizers catch crashes, undefined behaviour and leaks along the way.
#include "model/NodeTree.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsReader.h"
#include "settings/SettingsSink.h"
#include "settings/SettingsWriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
// Keeps what the reader applies, as the main window would, and takes every
// drive and directory.
class StoringSink : public SettingsSink {
public:
    explicit StoringSink(NodeTree& tree) : tree_(tree) {}

    SettingsValues values;
    QuickEntries quickList;

    void applyWinTop(std::int32_t v) override { values.winTop = v; }
    void applyWinLeft(std::int32_t v) override { values.winLeft = v; }
    void applyWinHeight(std::int32_t v) override { values.winHeight = v; }
    void applyWinWidth(std::int32_t v) override { values.winWidth = v; }
    void applyWinState(int v) override { values.winState = v; }
    void applyAutoHide(bool v) override { values.hide = v; }
    void applyFullPath(bool v) override { values.fullPath = v; }
    bool applyDrive(const QString& v) override {
        values.drive = v;
        return true;
    }
    bool applyDirPath(const QString& v) override {
        values.dirPath = v;
        return true;
    }
    void applyDirSel(int v) override { values.dirSel = v; }
    void applyDirVis(bool v) override { values.dirVis = v; }
    bool appendQuickEntry(const QString& caption, const QString& path) override {
        if (quickList.size() >= QuickListPlaces)
            return false;
        quickList.push_back({caption, path});
        return true;
    }
    void selectLoadedNode(TreeNode* node) override { tree_.SetSelectedItem(node); }
    // Some paths have an icon of their own, some none, and for some the
    // lookup fails; a path always gets the same answer.
    int GetItemIcon(const QString& path) override {
        static constexpr int answers[] = {3, 4, 0, 9};
        return answers[path.size() % 4];
    }

private:
    static constexpr std::size_t QuickListPlaces = 64;
    NodeTree& tree_;
};

QByteArray readAndSave(const QByteArray& bytes) {
    NodeTree tree;
    StoringSink sink(tree);
    ReadSettingsText(DecodeSettingsBytes(bytes), sink, tree);
    return WriteSettingsText(sink.values, tree, sink.quickList);
}

// A saved text's lines without their CRLF, which ends every one.
QList<QByteArray> linesOf(const QByteArray& text) {
    QList<QByteArray> lines = text.split('\n');
    lines.removeLast();  // after the last line break
    for (QByteArray& line : lines)
        line.chop(1);  // the CR
    return lines;
}

// The first line where the two saves part is what one needs to see of an
// input of many kilobytes; TABs and other bytes come out as %XX.
void reportDifference(const QByteArray& first, const QByteArray& second) {
    const QList<QByteArray> a = linesOf(first);
    const QList<QByteArray> b = linesOf(second);
    qsizetype line = 0;
    while (line < a.size() && line < b.size() && a[line] == b[line])
        ++line;
    const auto shown = [line](const QList<QByteArray>& lines) {
        if (line >= lines.size())
            return QByteArray("(end of file)");
        return lines[line].toPercentEncoding(" /=[]");
    };
    std::fprintf(stderr, "Saving what was read changed line %lld:\n  first:  %s\n  second: %s\n",
                 static_cast<long long>(line + 1), shown(a).constData(), shown(b).constData());
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QByteArray saved = readAndSave(bytes);
    const QByteArray savedAgain = readAndSave(saved);
    if (saved != savedAgain) {
        reportDifference(saved, savedAgain);
        std::abort();
    }
    return 0;
}
