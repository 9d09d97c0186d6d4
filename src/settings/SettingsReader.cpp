#include "SettingsReader.h"

#include "GetToken.h"
#include "PathQuotes.h"
#include "SettingsKeys.h"
#include "SettingsSink.h"
#include "ValueBlanks.h"
#include "model/ImageKeys.h"
#include "model/NodeTree.h"

#include <array>
#include <limits>
#include <optional>
#include <vector>

namespace {
constexpr char16_t TabChar[] = u"\t";
constexpr char16_t EqualsChar[] = u"=";
const QStringView Tab(TabChar, 1);
const QStringView Equals(EqualsChar, 1);
constexpr int NodeFieldCount = 7;

// Trims a value of blanks, TABs, CRs and LFs among them: a number or truth
// value with a stray CR after it reads as it will once a save has made the
// CR a blank.
QStringView trimValue(QStringView value) {
    qsizetype begin = 0;
    qsizetype end = value.size();
    while (begin < end && IsValueBlank(value[begin]))
        ++begin;
    while (end > begin && IsValueBlank(value[end - 1]))
        --end;
    return value.sliced(begin, end - begin);
}

// A value as it is kept: trimmed, with the TABs, CRs and LFs inside made
// blanks, as the writer will write them. A path of nothing but a TAB is thus
// no path now, as it would be after a save.
QString keptValue(QStringView value) {
    return WithBreaksAsBlanks(trimValue(value).toString());
}

bool keyIs(QStringView key, QLatin1String name) {
    return key.compare(name, Qt::CaseInsensitive) == 0;
}

// A plain decimal 32-bit integer with an optional sign and nothing else.
// Anything else (letters, a fraction, a number that does not fit) is not a
// number, and the line that carries it is not applied.
std::optional<std::int32_t> parseInt32(QStringView text) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    if (i == text.size())
        return std::nullopt;
    constexpr qint64 limit = qint64(std::numeric_limits<std::int32_t>::max()) + 1;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > limit)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return std::int32_t(value);
}

// "True" or "False" in any letter case; anything else is no truth value.
std::optional<bool> parseTruth(QStringView text) {
    if (keyIs(text, SettingsKeys::True))
        return true;
    if (keyIs(text, SettingsKeys::False))
        return false;
    return std::nullopt;
}

bool isImageKey(QStringView image) {
    return image == ImageKeys::closed() || image == ImageKeys::open() || image == ImageKeys::leaf();
}

class Reader {
public:
    Reader(SettingsSink& sink, NodeTree& tree) : sink_(sink), tree_(tree) {}

    // Whether the line is one a settings file holds.
    bool readLine(QStringView line);
    TreeNode* nodeToSelect() const { return toSelect_; }

private:
    void readNode(QStringView record);
    void readQuickEntry(QStringView record);
    template <typename Apply>
    void applyNumber(QStringView value, Apply apply) {
        if (const auto number = parseInt32(value))
            apply(*number);
    }
    template <typename Apply>
    void applyTruth(QStringView value, Apply apply) {
        if (const auto truth = parseTruth(value))
            apply(*truth);
    }

    SettingsSink& sink_;
    NodeTree& tree_;
    bool inOwnSection_ = false;
    bool driveFailed_ = false;
    bool quickListFull_ = false;
    // The node made from each "Node=" line so far, null for a line that made
    // none: field 6 names its parent by this position.
    std::vector<TreeNode*> nodeLines_;
    TreeNode* toSelect_ = nullptr;
};

bool Reader::readLine(QStringView line) {
    const TokenCut cut = GetToken(line, Equals);
    if (!cut.found && cut.token.startsWith(u'[') && cut.token.endsWith(u']')) {
        // A section's name; only "[QuickList]" and our own are a settings file's.
        inOwnSection_ = keyIs(cut.token, SettingsKeys::OwnSection);
        return inOwnSection_ || keyIs(cut.token, SettingsKeys::QuickListSection);
    }
    if (inOwnSection_) {
        // Settings of later versions: kept as they are, to be written back.
        sink_.keepOwnLine(line.toString());
        return true;
    }
    if (!cut.found)  // no key at all: only a blank line is one of ours
        return trimValue(line).isEmpty();
    const QStringView key = cut.token;
    // A single value; the records below keep their TABs, which part fields.
    const QStringView value = trimValue(cut.rest);
    if (keyIs(key, SettingsKeys::Node)) {
        readNode(cut.rest);
    } else if (keyIs(key, SettingsKeys::Qli)) {
        readQuickEntry(cut.rest);
    } else if (keyIs(key, SettingsKeys::WinTop)) {
        applyNumber(value, [this](std::int32_t v) { sink_.applyWinTop(v); });
    } else if (keyIs(key, SettingsKeys::WinLeft)) {
        applyNumber(value, [this](std::int32_t v) { sink_.applyWinLeft(v); });
    } else if (keyIs(key, SettingsKeys::WinHeight)) {
        applyNumber(value, [this](std::int32_t v) { sink_.applyWinHeight(v); });
    } else if (keyIs(key, SettingsKeys::WinWidth)) {
        applyNumber(value, [this](std::int32_t v) { sink_.applyWinWidth(v); });
    } else if (keyIs(key, SettingsKeys::WinState)) {
        // Only normal (0), minimized (1) and maximized (2) are window states.
        applyNumber(value, [this](std::int32_t v) {
            if (v >= 0 && v <= 2)
                sink_.applyWinState(v);
        });
    } else if (keyIs(key, SettingsKeys::Hide)) {
        applyTruth(value, [this](bool v) { sink_.applyAutoHide(v); });
    } else if (keyIs(key, SettingsKeys::Path)) {
        applyTruth(value, [this](bool v) { sink_.applyFullPath(v); });
    } else if (keyIs(key, SettingsKeys::Drive)) {
        if (!sink_.applyDrive(UnquotedPath(keptValue(value))))
            driveFailed_ = true;
    } else if (keyIs(key, SettingsKeys::DirPath)) {
        if (!driveFailed_ && !sink_.applyDirPath(UnquotedPath(keptValue(value))))
            driveFailed_ = true;
    } else if (keyIs(key, SettingsKeys::DirSel)) {
        if (!driveFailed_)
            applyNumber(value, [this](std::int32_t v) { sink_.applyDirSel(v); });
    } else if (keyIs(key, SettingsKeys::DirVis)) {
        applyTruth(value, [this](bool v) { sink_.applyDirVis(v); });
    } else {
        return false;
    }
    return true;
}

void Reader::readNode(QStringView record) {
    // Fields are cut at TABs and lines at LFs, so only a stray CR can be left
    // inside a field; most lines have none and need no second look.
    const bool strayCr = record.contains(u'\r');
    std::array<QStringView, NodeFieldCount> fields;
    int count = 0;
    // Fields beyond the seventh are ignored.
    while (count < NodeFieldCount && !record.isEmpty()) {
        const TokenCut cut = GetToken(record, Tab);
        fields[count++] = trimValue(cut.token);
        record = cut.rest;
    }
    if (count < 6) {
        nodeLines_.push_back(nullptr);
        return;
    }
    const auto kept = [strayCr](QStringView field) {
        return strayCr ? keptValue(field) : field.toString();
    };
    const QString text = kept(fields[0]);
    const QString tag = UnquotedPath(kept(fields[1]));

    // An icon index from an earlier run is stale: the icon is looked up
    // anew, and until it is known the node keeps the old text, marked as
    // waiting.
    QString image = kept(fields[2]);
    const bool iconWanted = !isImageKey(fields[2]);
    if (iconWanted)
        image = ImageKeys::waiting(image);
    QString expandedImage = kept(fields[3]);
    if (const auto index = parseInt32(fields[3]); index && *index > ImageKeys::LeafIndex)
        expandedImage.clear();
    if (ImageKeys::isFolderImage(image))
        expandedImage = ImageKeys::open();

    // A parent that is no earlier line that made a node (itself, a later
    // line, not a number) cannot be honoured; the node is kept at the top
    // level rather than lost.
    TreeNode* parent = nullptr;
    if (const auto position = parseInt32(fields[5]);
        position && *position >= 1 && qsizetype(*position) <= qsizetype(nodeLines_.size()))
        parent = nodeLines_[std::size_t(*position - 1)];
    TreeNode* node = nullptr;
    if (parent)
        node = tree_.Add(parent, tvwChild, QString(), text, image);
    if (!node) {
        TreeNode* const topLevel = nullptr;
        node = tree_.Add(topLevel, tvwLast, QString(), text, image);
    }
    nodeLines_.push_back(node);
    if (!node)
        return;
    node->SetTag(tag);
    if (!expandedImage.isEmpty())
        node->SetExpandedImage(expandedImage);
    // Anything but "True" leaves the node collapsed and unselected.
    node->SetExpanded(parseTruth(fields[4]).value_or(false));
    if (iconWanted)
        sink_.itemIconWanted(node);
    if (count == NodeFieldCount && parseTruth(fields[6]).value_or(false))
        toSelect_ = node;
}

void Reader::readQuickEntry(QStringView record) {
    if (quickListFull_)
        return;  // entries beyond the list's places are dropped
    const TokenCut cut = GetToken(record, Tab);
    const QString caption = keptValue(cut.token);
    const QString path = UnquotedPath(keptValue(cut.rest));  // TABs in it too are blanks
    if (caption.isEmpty() || path.isEmpty())
        return;
    if (!sink_.appendQuickEntry(caption, path))
        quickListFull_ = true;
}
}  // namespace

int ReadSettingsText(const QString& text, SettingsSink& sink, NodeTree& tree) {
    QStringView rest(text);
    if (rest.startsWith(QChar(0xFEFF)))
        rest = rest.sliced(1);  // a byte-order mark left by another editor

    Reader reader(sink, tree);
    int foreign = 0;
    {
        // One reset for the view instead of a notification per node.
        BulkTreeChange bulk(tree);
        while (!rest.isEmpty()) {
            const qsizetype end = rest.indexOf(u'\n');
            QStringView line = end < 0 ? rest : rest.first(end);
            rest = end < 0 ? QStringView() : rest.sliced(end + 1);
            if (line.endsWith(u'\r'))
                line.chop(1);
            foreign += reader.readLine(line) ? 0 : 1;
        }
    }
    // Selecting scrolls the node into view, which the view can only do once
    // it knows the node; at most one node is selected, so the last wins.
    if (TreeNode* node = reader.nodeToSelect())
        sink.selectLoadedNode(node);
    return foreign;
}
