#include "SettingsWriter.h"

#include "PathQuotes.h"
#include "SettingsKeys.h"
#include "ValueBlanks.h"
#include "model/ImageKeys.h"
#include "model/NodeTree.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

namespace {
// Whether any byte is below a CR, as a TAB or LF is: a test of eight bytes
// at a time that nearly every label and path passes, so that only the rare
// one with a low byte is looked at byte by byte.
bool mayHoldBreaks(QByteArrayView bytes) {
    constexpr std::uint64_t ones = 0x0101010101010101u;
    constexpr std::uint64_t highs = 0x8080808080808080u;
    const auto below = [](std::uint64_t word) {
        return ((word - ones * '\x0E') & ~word & highs) != 0;
    };
    const char* at = bytes.data();
    qsizetype left = bytes.size();
    for (; left >= 8; at += 8, left -= 8) {
        std::uint64_t word;
        std::memcpy(&word, at, sizeof word);
        if (below(word))
            return true;
    }
    for (; left > 0; ++at, --left)
        if (static_cast<unsigned char>(*at) < 0x0E)
            return true;
    return false;
}

// Writes straight into the file's bytes through a cursor, growing the buffer
// only when a piece would not fit: a large tree makes millions of pieces.
class TextBuilder {
public:
    explicit TextBuilder(qsizetype capacity)
        : text_(capacity, Qt::Uninitialized), at_(text_.data()) {}

    void key(QLatin1String key) {
        bytes(QByteArrayView(key.data(), key.size()));
        byte(char(SettingsKeys::KeySeparator));
    }
    // The text in UTF-8 with each TAB, CR and LF a blank.
    void value(QStringView value) { append(value, true); }
    // The same for text already in UTF-8, where each of them is a byte.
    void utf8Value(QByteArrayView value) {
        const qsizetype start = used_;
        bytes(value);
        if (mayHoldBreaks(value))
            blankBreaks(start);
    }
    // Bytes to be written as they are.
    void raw(QByteArrayView piece) { bytes(piece); }
    // A node's label or path, as it keeps it.
    void nodeValue(std::optional<QByteArrayView> utf8, const QString& text) {
        if (utf8)
            utf8Value(*utf8);
        else
            value(text);
    }
    // A path that the reader's trimming would change goes in quotes.
    void path(QStringView path) {
        const qsizetype start = used_;
        value(path);
        quoteIfNeeded(start);
    }
    void nodePath(std::optional<QByteArrayView> utf8, const QString& text) {
        const qsizetype start = used_;
        nodeValue(utf8, text);
        quoteIfNeeded(start);
    }
    void quoteIfNeeded(qsizetype start) {
        if (NeedsQuotes(QByteArrayView(at_ + start, used_ - start))) {
            reserve(2);
            char* const begin = at_ + start;
            std::memmove(begin + 1, begin, std::size_t(used_ - start));
            *begin = '"';
            ++used_;
            byte('"');
        }
    }
    void value(qint64 number) {
        reserve(24);
        char* const out = at_ + used_;
        used_ = std::to_chars(out, out + 24, number).ptr - at_;
    }
    void value(bool truth) {
        const QLatin1String text = truth ? SettingsKeys::True : SettingsKeys::False;
        bytes(QByteArrayView(text.data(), text.size()));
    }
    void plainLine(QLatin1String text) {
        bytes(QByteArrayView(text.data(), text.size()));
        endLine();
    }
    // A line of another version, written back as it was read.
    void keptLine(const QString& line) {
        append(line, false);
        endLine();
    }
    void field() { byte(char(SettingsKeys::FieldSeparator)); }
    void endLine() { bytes("\r\n"); }

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

    QByteArray take() {
        text_.truncate(used_);
        return std::move(text_);
    }

private:
    void reserve(qsizetype more) {
        if (used_ + more > text_.size()) {
            text_.resize(std::max(text_.size() * 2, used_ + more));
            at_ = text_.data();
        }
    }
    void byte(char c) {
        reserve(1);
        at_[used_++] = c;
    }
    void bytes(QByteArrayView piece) {
        if (piece.isEmpty())
            return;  // its data may be null, which memcpy must never get
        reserve(piece.size());
        std::memcpy(at_ + used_, piece.data(), std::size_t(piece.size()));
        used_ += piece.size();
    }
    // Most text is ASCII and is copied a character a byte; from the first
    // other character on, the rest is encoded as QString::toUtf8 encodes it.
    void append(QStringView text, bool breaksAsBlanks) {
        reserve(text.size());
        char* const out = at_ + used_;
        qsizetype i = 0;
        for (; i < text.size() && text[i].unicode() < 0x80; ++i)
            out[i] = breaksAsBlanks && BreaksRecord(text[i]) ? ' ' : char(text[i].unicode());
        used_ += i;
        if (i == text.size())
            return;
        const QByteArray rest = text.sliced(i).toUtf8();
        const qsizetype start = used_;
        bytes(rest);
        if (breaksAsBlanks)
            blankBreaks(start);
    }
    // Of UTF-8's bytes only a TAB, CR or LF is one.
    void blankBreaks(qsizetype start) {
        std::replace_if(
            at_ + start, at_ + used_, [](char c) { return c == '\t' || c == '\r' || c == '\n'; },
            ' ');
    }

    QByteArray text_;  // its size is the room; the text is the first used_ bytes
    // Its bytes, asked for once a resize: text_ is never shared, and asking
    // it each time would see to that anew for every piece.
    char* at_;
    qsizetype used_ = 0;
};

// The bytes of the image texts that a tree's nodes share (the fixed three,
// a few hundred icon indexes at most), each made once, as TextBuilder writes
// it: a text is known again by the number the tree gives it.
class ImageBytes {
public:
    // Without the waiting mark, for the images an item waits for its icon
    // with.
    explicit ImageBytes(bool unmarked) : unmarked_(unmarked) {}

    // The bytes of an image the tree numbers so (which stays its number
    // while the text is written), made from its text the first time.
    QByteArrayView of(ImageTexts::Id number, const QString& (TreeNode::*text)() const,
                      const TreeNode& node) {
        if (number < made_.size() && made_[number])
            return *made_[number];
        return make(number, (node.*text)());
    }

private:
    [[gnu::noinline]] QByteArrayView make(ImageTexts::Id number, const QString& image) {
        if (number >= made_.size())
            made_.resize(std::size_t(number) + 1);
        TextBuilder bytes(image.size() * 3);
        bytes.value(unmarked_ && ImageKeys::isWaiting(image) ? QStringView(image).sliced(1)
                                                             : QStringView(image));
        return *(made_[number] = bytes.take());
    }

    std::vector<std::optional<QByteArray>> made_;
    bool unmarked_;
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
    ImageBytes images(true), expandedImages(false);
    for (TreeNode* node = tree.First(); node; node = NodeTree::NextInDocumentOrder(node)) {
        ++position;
        const TreeNode* parent = node->Parent();
        while (!ancestors.empty() && ancestors.back().first != parent)
            ancestors.pop_back();
        const qint64 parentPosition = ancestors.empty() ? 0 : ancestors.back().second;
        ancestors.emplace_back(node, position);

        out.key(SettingsKeys::Node);
        const std::optional<QByteArrayView> text = node->TextUtf8();
        out.nodeValue(text, text ? QString() : node->Text());
        out.field();
        const std::optional<QByteArrayView> tag = node->TagUtf8();
        out.nodePath(tag, tag ? QString() : node->Tag());
        out.field();
        // A waiting image is written as it was stored, without its mark.
        out.raw(images.of(node->ImageNumber(), &TreeNode::Image, *node));
        out.field();
        out.raw(expandedImages.of(node->ExpandedImageNumber(), &TreeNode::ExpandedImage, *node));
        out.field();
        out.value(node->Expanded());
        out.field();
        out.value(parentPosition);
        out.field();
        out.value(node->Selected());
        out.endLine();
        // Keys are only ever transient labels; after a save none is left.
        if (!node->Key().isEmpty())
            node->SetKey(QString());
    }
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
    // About 80 bytes per node line is typical; a close guess saves the
    // repeated reallocations of a large tree.
    TextBuilder out(512 + qsizetype(tree.Count()) * 96 + qsizetype(quickList.size()) * 96);
    writeKeyLines(out, values);
    writeNodeLines(out, tree);
    writeQuickList(out, quickList);
    writeOwnSection(out, values.ownSection);
    return out.take();
}
