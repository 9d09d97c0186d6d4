#include "SettingsWriter.h"

#include "PathQuotes.h"
#include "SettingsKeys.h"
#include "ValueBlanks.h"
#include "model/ImageKeys.h"
#include "model/NodeTree.h"

#include <utility>
#include <vector>

namespace {
const QLatin1String LineEnd("\r\n");

class TextBuilder {
public:
    explicit TextBuilder(qsizetype capacity) { text_.reserve(capacity); }

    void key(QLatin1String key) {
        text_ += key;
        text_ += SettingsKeys::KeySeparator;
    }
    void value(const QString& value) {
        const qsizetype start = text_.size();
        text_ += value;
        QChar* c = text_.data() + start;
        QChar* const end = text_.data() + text_.size();
        for (; c != end; ++c)
            if (BreaksRecord(*c))
                *c = u' ';
    }
    // A path that the reader's trimming would change goes in quotes.
    void path(const QString& path) {
        const qsizetype start = text_.size();
        value(path);
        if (NeedsQuotes(QStringView(text_).sliced(start))) {
            text_.insert(start, u'"');
            text_ += u'"';
        }
    }
    void value(qint64 number) { text_ += QString::number(number); }
    void value(bool truth) { text_ += truth ? SettingsKeys::True : SettingsKeys::False; }
    void plainLine(QLatin1String text) {
        text_ += text;
        endLine();
    }
    // A line of another version, written back as it was read.
    void keptLine(const QString& line) {
        text_ += line;
        endLine();
    }
    void field() { text_ += SettingsKeys::FieldSeparator; }
    void endLine() { text_ += LineEnd; }

    template <typename T>
    void line(QLatin1String name, const T& v) {
        key(name);
        value(v);
        endLine();
    }

    void pathLine(QLatin1String name, const QString& p) {
        key(name);
        path(p);
        endLine();
    }

    QByteArray toUtf8() const { return text_.toUtf8(); }

private:
    QString text_;
};

void writeKeyLines(TextBuilder& out, const SettingsValues& values) {
    out.line(SettingsKeys::WinTop, qint64(values.winTop));
    out.line(SettingsKeys::WinLeft, qint64(values.winLeft));
    out.line(SettingsKeys::WinHeight, qint64(values.winHeight));
    out.line(SettingsKeys::WinWidth, qint64(values.winWidth));
    out.line(SettingsKeys::WinState, qint64(values.winState));
    out.line(SettingsKeys::Hide, values.hide);
    out.line(SettingsKeys::Path, values.fullPath);
    out.pathLine(SettingsKeys::Drive, values.drive);
    out.pathLine(SettingsKeys::DirPath, values.dirPath);
    out.line(SettingsKeys::DirSel, qint64(values.dirSel));
    out.line(SettingsKeys::DirVis, values.dirVis);
}

// One "Node=" line per node in document order. Field 6 is the parent's
// position among these lines. The positions come from a stack of the open
// ancestors rather than from "K<n>" keys on the nodes: the tree refuses a key
// another node already holds, so keys left over from elsewhere could make
// the numbering fail.
void writeNodeLines(TextBuilder& out, NodeTree& tree) {
    std::vector<std::pair<const TreeNode*, qint64>> ancestors;
    qint64 position = 0;
    for (TreeNode* node = tree.First(); node; node = NodeTree::NextInDocumentOrder(node)) {
        ++position;
        const TreeNode* parent = node->Parent();
        while (!ancestors.empty() && ancestors.back().first != parent)
            ancestors.pop_back();
        const qint64 parentPosition = ancestors.empty() ? 0 : ancestors.back().second;
        ancestors.emplace_back(node, position);

        out.key(SettingsKeys::Node);
        out.value(node->Text());
        out.field();
        out.path(node->Tag());
        out.field();
        out.value(ImageKeys::storedForm(node->Image()));
        out.field();
        out.value(node->ExpandedImage());
        out.field();
        out.value(node->Expanded());
        out.field();
        out.value(parentPosition);
        out.field();
        out.value(node->Selected());
        out.endLine();
    }
}

// Keys are only ever transient labels; after a save none is left.
void clearKeys(NodeTree& tree) {
    for (TreeNode* node = tree.First(); node; node = NodeTree::NextInDocumentOrder(node))
        if (!node->Key().isEmpty())
            node->SetKey(QString());
}

void writeQuickList(TextBuilder& out, const QuickEntries& quickList) {
    if (quickList.empty())
        return;
    out.plainLine(SettingsKeys::QuickListSection);
    for (const QuickEntry& entry : quickList) {
        out.key(SettingsKeys::Qli);
        out.value(entry.caption);
        out.field();
        out.path(entry.path);
        out.endLine();
    }
}

void writeOwnSection(TextBuilder& out, const QStringList& lines) {
    if (lines.isEmpty())
        return;
    out.plainLine(SettingsKeys::OwnSection);
    for (const QString& line : lines)
        out.keptLine(line);
}
}  // namespace

QByteArray WriteSettingsText(const SettingsValues& values, NodeTree& tree,
                             const QuickEntries& quickList) {
    // About 80 characters per node line is typical; a close guess saves the
    // repeated reallocations of a large tree.
    TextBuilder out(512 + qsizetype(tree.Count()) * 96 + qsizetype(quickList.size()) * 96);
    writeKeyLines(out, values);
    writeNodeLines(out, tree);
    clearKeys(tree);
    writeQuickList(out, quickList);
    writeOwnSection(out, values.ownSection);
    return out.toUtf8();
}
