#include "SettingsReader.h"

#include "GetToken.h"
#include "NodeFields.h"
#include "PathQuotes.h"
#include "SettingsKeys.h"
#include "SettingsLine.h"
#include "SettingsSink.h"
#include "ValueBlanks.h"
#include "model/ImageKeys.h"
#include "model/ImageTexts.h"
#include "model/NodeTree.h"

#include <bit>
#include <cstring>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {
// Whether bytes are exactly the ASCII text given: a test that most lines
// pass, so compared without a call.
template <std::size_t N>
bool spells(QByteArrayView bytes, const char (&text)[N]) {
    return bytes.size() == qsizetype(N - 1) && std::memcmp(bytes.data(), text, N - 1) == 0;
}

bool hasCr(QByteArrayView bytes) {
    return !bytes.isEmpty() && std::memchr(bytes.data(), '\r', std::size_t(bytes.size()));
}

bool isValueBlank(char c) {
    // Nearly every byte tested is above the blank, and told so at once.
    return static_cast<unsigned char>(c) <= ' ' &&
           (c == ' ' || c == '\t' || c == '\r' || c == '\n');
}

// Trims a value of blanks, TABs, CRs and LFs among them: a number or truth
// value with a stray CR after it reads as it will once a save has made the
// CR a blank.
QByteArrayView trimEnds(QByteArrayView value) {
    qsizetype begin = 0;
    qsizetype end = value.size();
    while (begin < end && isValueBlank(value[begin]))
        ++begin;
    while (end > begin && isValueBlank(value[end - 1]))
        --end;
    return value.sliced(begin, end - begin);
}

inline QByteArrayView trimValue(QByteArrayView value) {
    // Most values have nothing to trim, and are seen to at once.
    if (value.isEmpty() || (!isValueBlank(value.front()) && !isValueBlank(value.back())))
        return value;
    return trimEnds(value);
}

// A value as it is kept: trimmed, with the TABs, CRs and LFs inside made
// blanks, as the writer will write them. A path of nothing but a TAB is thus
// no path now, as it would be after a save.
QString keptValue(const SettingsLine& line, QByteArrayView value) {
    return WithBreaksAsBlanks(line.decode(trimValue(value)));
}

// A node's label or path as keptValue would keep it, in UTF-8: a field of a
// UTF-8 line (ASCII is) is already that, but for a stray CR, the only break
// a field can hold, made a blank. Any other line is decoded and encoded anew.
QByteArrayView keptUtf8Changed(const SettingsLine& line, QByteArrayView field, bool strayCr,
                               QByteArray& scratch) {
    if (!line.isUtf8()) {
        scratch = keptValue(line, field).toUtf8();
        return scratch;
    }
    if (!strayCr || !hasCr(field))
        return field;
    scratch = field.toByteArray();
    scratch.replace('\r', ' ');
    return scratch;
}

inline QByteArrayView keptUtf8(const SettingsLine& line, QByteArrayView field, bool strayCr,
                               QByteArray& scratch) {
    if (line.isUtf8() && !strayCr)  // nearly every line
        return field;
    return keptUtf8Changed(line, field, strayCr, scratch);
}

// Letters of other alphabets may fold to ASCII ones (the long s to "s"), so
// only an ASCII token is compared as bytes.
bool tokenIs(const SettingsLine& line, QByteArrayView key, QLatin1String name) {
    if (!line.isAscii() && !IsAscii(key))
        return line.decode(key).compare(name, Qt::CaseInsensitive) == 0;
    if (key.size() != name.size())
        return false;
    for (qsizetype i = 0; i < key.size(); ++i) {
        const char folded = char(name[i].unicode() | 0x20);
        if (key[i] != name[i] && (folded < 'a' || folded > 'z' || (key[i] | 0x20) != folded))
            return false;
    }
    return true;
}

// A plain decimal 32-bit integer with an optional sign and nothing else.
// Anything else (letters, a fraction, a number that does not fit) is not a
// number, and the line that carries it is not applied. Whether the text is
// one; number holds it then. (Not an optional: one read back from memory
// just after it was written piece by piece stalls, twice a node.)
//
// A number of one to eight plain digits, as a node line's parent field
// holds, is read at once when the eight bytes that end with it may be read
// (from readable on): those before it are taken for leading zeros.
inline bool parseInt32(QByteArrayView text, std::int32_t& number, const char* readable = nullptr) {
    if constexpr (std::endian::native == std::endian::little) {
        if (readable && !text.isEmpty() && text.size() <= 8 &&
            text.data() - readable >= 8 - text.size()) {
            std::uint64_t word;
            std::memcpy(&word, text.data() + text.size() - 8, 8);
            const std::uint64_t before = (std::uint64_t(1) << (8 * (8 - text.size()))) - 1;
            word = (word & ~before) | (0x3030303030303030u & before);
            // Every byte from '0' to '9': its high half 3, and still 3 with
            // six added (a carry out of a byte comes only from one above
            // 0xF9, which fails already).
            if (((word & 0xF0F0F0F0F0F0F0F0u) |
                 (((word + 0x0606060606060606u) & 0xF0F0F0F0F0F0F0F0u) >> 4)) ==
                0x3333333333333333u) {
                // Pairs of digits, then fours, then all eight.
                word -= 0x3030303030303030u;
                word = word * 10 + (word >> 8);
                word = ((word & 0x000000FF000000FFu) * 0x000F424000000064u +
                        ((word >> 16) & 0x000000FF000000FFu) * 0x0000271000000001u) >>
                       32;
                number = std::int32_t(word);  // eight digits fit
                return true;
            }
        }
    }
    const char* at = text.data();
    const char* const end = at + text.size();
    bool negative = false;
    if (at != end && (*at == '-' || *at == '+'))
        negative = *at++ == '-';
    if (at == end)
        return false;
    // Ten digits cannot overflow the sum, which is checked once at the end;
    // only a number with leading zeros has more and still fits.
    while (end - at > 10 && *at == '0')
        ++at;
    if (end - at > 10)
        return false;
    std::uint64_t value = 0;
    for (; at != end; ++at) {
        const unsigned digit = unsigned(static_cast<unsigned char>(*at)) - '0';
        if (digit > 9)  // below '0' too, wrapped round
            return false;
        value = value * 10 + digit;
    }
    const std::uint64_t limit = std::uint64_t(std::numeric_limits<std::int32_t>::max()) + negative;
    if (value > limit)
        return false;
    number = negative ? std::int32_t(-std::int64_t(value)) : std::int32_t(value);
    return true;
}

// "True" or "False" in any letter case; anything else is no truth value.
std::optional<bool> parseAnyTruth(const SettingsLine& line, QByteArrayView text) {
    if (tokenIs(line, text, SettingsKeys::True))
        return true;
    if (tokenIs(line, text, SettingsKeys::False))
        return false;
    return std::nullopt;
}

inline std::optional<bool> parseTruth(const SettingsLine& line, QByteArrayView text) {
    // The writer's own spellings first: nearly every value is one.
    if (spells(text, "True"))
        return true;
    if (spells(text, "False"))
        return false;
    return parseAnyTruth(line, text);
}

// The number of a fixed image key, told apart by its length first, in
// place: every node line has an image. Empty for any other text.
inline ImageTexts::Id fixedImage(QByteArrayView image) {
    if (image.size() == 4) {
        if (spells(image, "leaf"))
            return ImageTexts::Leaf;
        if (spells(image, "open"))
            return ImageTexts::Open;
    } else if (spells(image, "closed")) {
        return ImageTexts::Closed;
    }
    return ImageTexts::Empty;
}

// An icon index as the writer writes it, of up to four digits: the number,
// or -1 for any other text (a sign, a leading zero, more digits) that must
// keep its own spelling.
inline int writtenIndex(QByteArrayView field) {
    if (field.isEmpty() || field.size() > 4 || (field.front() == '0' && field.size() > 1))
        return -1;
    int index = 0;
    for (const char c : field) {
        const unsigned digit = unsigned(static_cast<unsigned char>(c)) - '0';
        if (digit > 9)
            return -1;
        index = index * 10 + int(digit);
    }
    return index;
}

class Reader {
public:
    Reader(SettingsSink& sink, NodeTree& tree) : sink_(sink), tree_(tree) {}
    ~Reader();
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    // Whether the line is one a settings file holds.
    bool readLine(QByteArrayView bytes);
    TreeNode* nodeToSelect() const { return toSelect_; }

private:
    bool readKeyLine(const SettingsLine& line);
    // Inlined into its callers: nearly every line of a large file is a
    // node's, and the call alone would cost a few percent of reading it.
    [[gnu::always_inline]] inline void readNode(const SettingsLine& line, const NodeFields& record);
    void readQuickEntry(const SettingsLine& line, QByteArrayView record);
    // An index held already is found without a call, as for nearly every item.
    ImageTexts::Id waitingImage(const SettingsLine& line, QByteArrayView field, bool strayCr) {
        if (const int index = writtenIndex(field);
            !strayCr && line.isAscii() && index >= 0 &&
            std::size_t(index) < waitingIndexes_.size() &&
            waitingIndexes_[std::size_t(index)] != ImageTexts::Empty)
            return waitingIndexes_[std::size_t(index)];
        return holdWaitingImage(line, field, strayCr);
    }
    ImageTexts::Id holdWaitingImage(const SettingsLine& line, QByteArrayView field, bool strayCr);
    ImageTexts::Id holdForLine(const QString& image) {
        return lineImages_[lineImageCount_++] = tree_.HoldImage(image);
    }
    template <typename Apply>
    void applyNumber(QByteArrayView value, Apply apply) {
        if (std::int32_t number; parseInt32(value, number))
            apply(number);
    }
    template <typename Apply>
    void applyTruth(const SettingsLine& line, QByteArrayView value, Apply apply) {
        if (const auto truth = parseTruth(line, value))
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
    // The image held for each image field of ASCII that was no fixed key:
    // the items of a file share a few hundred icon indexes at most, each
    // held once for the whole read. An index as the writer writes it is
    // found by its number, any other field by its bytes. Empty: none yet.
    std::vector<ImageTexts::Id> waitingIndexes_;
    std::unordered_map<std::string, ImageTexts::Id> waitingImages_;
    // Images held for one line only, let go once its node has them: a
    // field not of ASCII or with a CR, an odd expanded image.
    ImageTexts::Id lineImages_[2] = {};
    int lineImageCount_ = 0;
    // Room for a line's values that need changing, kept from line to line.
    QByteArray textScratch_, tagScratch_;
};

Reader::~Reader() {
    for (const ImageTexts::Id image : waitingIndexes_)
        tree_.LetGoImage(image);
    for (const auto& [field, image] : waitingImages_)
        tree_.LetGoImage(image);
}

// An item's image field that is no fixed key, as the node keeps it until its
// icon is looked up.
ImageTexts::Id Reader::holdWaitingImage(const SettingsLine& line, QByteArrayView field,
                                        bool strayCr) {
    const bool cr = strayCr && hasCr(field);
    if (cr || (!line.isAscii() && !IsAscii(field)))
        return holdForLine(ImageKeys::waiting(cr ? keptValue(line, field) : line.decode(field)));
    // ASCII without a CR reads the same in every line, whatever its encoding.
    ImageTexts::Id* held;
    if (const int index = writtenIndex(field); index >= 0) {
        if (std::size_t(index) >= waitingIndexes_.size())
            waitingIndexes_.resize(std::size_t(index) + 1, ImageTexts::Empty);
        held = &waitingIndexes_[std::size_t(index)];
    } else {
        held = &waitingImages_[std::string(field.data(), field.size())];
    }
    if (*held == ImageTexts::Empty)
        *held = tree_.HoldImage(ImageKeys::waiting(QString::fromLatin1(field)));
    return *held;
}

bool Reader::readLine(QByteArrayView bytes) {
    // Nearly every line of a large file is a node's, its key spelled as the
    // writer spells it: GetToken would cut it just here, and no other key
    // needs comparing. The pass that cuts its fields sees whether it is all
    // ASCII, as nearly every line is, and only a line that is not is looked
    // at again for its encoding: the key and the blanks around the record
    // are ASCII.
    constexpr char NodeKey[] = "Node=";
    constexpr qsizetype NodeKeySize = sizeof NodeKey - 1;
    if (!inOwnSection_ && spells(bytes.first(qMin(bytes.size(), NodeKeySize)), NodeKey)) {
        QByteArrayView fields = bytes.sliced(NodeKeySize);
        if (!fields.isEmpty() && (fields.front() == ' ' || fields.back() == ' '))
            fields = TrimBlanks(fields);  // seldom: the writer puts no blank there
        const NodeFields record(fields);
        readNode(record.nonAscii() ? SettingsLine(bytes) : SettingsLine::ascii(bytes), record);
        return true;
    }
    return readKeyLine(SettingsLine(bytes));
}

bool Reader::readKeyLine(const SettingsLine& line) {
    const TokenCut cut = GetToken(line.bytes(), "=");
    if (!cut.found && cut.token.startsWith('[') && cut.token.endsWith(']')) {
        // A section's name; only "[QuickList]" and our own are a settings file's.
        inOwnSection_ = tokenIs(line, cut.token, SettingsKeys::OwnSection);
        return inOwnSection_ || tokenIs(line, cut.token, SettingsKeys::QuickListSection);
    }
    if (inOwnSection_) {
        // Settings of later versions: kept as they are, to be written back.
        sink_.keepOwnLine(line.decode(line.bytes()));
        return true;
    }
    if (!cut.found)  // no key at all: only a blank line is one of ours
        return trimValue(line.bytes()).isEmpty();
    const auto keyIs = [&line, key = cut.token](QLatin1String name) {
        return tokenIs(line, key, name);
    };
    // A single value; the records below keep their TABs, which part fields.
    const QByteArrayView value = trimValue(cut.rest);
    if (keyIs(SettingsKeys::Node)) {
        readNode(line, NodeFields(cut.rest));
    } else if (keyIs(SettingsKeys::Qli)) {
        readQuickEntry(line, cut.rest);
    } else if (keyIs(SettingsKeys::WinTop)) {
        applyNumber(value, [this](std::int32_t v) { sink_.applyWinTop(v); });
    } else if (keyIs(SettingsKeys::WinLeft)) {
        applyNumber(value, [this](std::int32_t v) { sink_.applyWinLeft(v); });
    } else if (keyIs(SettingsKeys::WinHeight)) {
        applyNumber(value, [this](std::int32_t v) { sink_.applyWinHeight(v); });
    } else if (keyIs(SettingsKeys::WinWidth)) {
        applyNumber(value, [this](std::int32_t v) { sink_.applyWinWidth(v); });
    } else if (keyIs(SettingsKeys::WinState)) {
        // Only normal (0), minimized (1) and maximized (2) are window states.
        applyNumber(value, [this](std::int32_t v) {
            if (v >= 0 && v <= 2)
                sink_.applyWinState(v);
        });
    } else if (keyIs(SettingsKeys::Hide)) {
        applyTruth(line, value, [this](bool v) { sink_.applyAutoHide(v); });
    } else if (keyIs(SettingsKeys::Path)) {
        applyTruth(line, value, [this](bool v) { sink_.applyFullPath(v); });
    } else if (keyIs(SettingsKeys::Drive)) {
        if (!sink_.applyDrive(UnquotedPath(keptValue(line, value))))
            driveFailed_ = true;
    } else if (keyIs(SettingsKeys::DirPath)) {
        if (!driveFailed_ && !sink_.applyDirPath(UnquotedPath(keptValue(line, value))))
            driveFailed_ = true;
    } else if (keyIs(SettingsKeys::DirSel)) {
        if (!driveFailed_)
            applyNumber(value, [this](std::int32_t v) { sink_.applyDirSel(v); });
    } else if (keyIs(SettingsKeys::DirVis)) {
        applyTruth(line, value, [this](bool v) { sink_.applyDirVis(v); });
    } else {
        return false;
    }
    return true;
}

void Reader::readNode(const SettingsLine& line, const NodeFields& record) {
    // Fields are cut at TABs and lines at LFs, so only a stray CR can be left
    // inside a field; most lines have none and need no second look.
    const bool strayCr = record.hasCr();
    const int count = record.count();
    if (count < 6) {
        nodeLines_.push_back(nullptr);
        return;
    }
    // Label and path go to the node as UTF-8, the line's own bytes when it
    // is UTF-8 and the field needs no change.
    const QByteArrayView text = keptUtf8(line, trimValue(record.field(0)), strayCr, textScratch_);
    const QByteArrayView tag =
        UnquotedPath(keptUtf8(line, trimValue(record.field(1)), strayCr, tagScratch_));

    // An icon index from an earlier run is stale: the icon is looked up
    // anew, and until it is known the node keeps the old text, marked as
    // waiting. Folders always open with "open"; an item's expanded image
    // is kept unless it is an icon index.
    const QByteArrayView imageField = trimValue(record.field(2));
    const ImageTexts::Id fixed = fixedImage(imageField);
    const bool iconWanted = fixed == ImageTexts::Empty;
    const ImageTexts::Id image = iconWanted ? waitingImage(line, imageField, strayCr) : fixed;
    const QByteArrayView expandedField = trimValue(record.field(3));
    ImageTexts::Id expandedImage = ImageTexts::Empty;  // an item's usual expanded image
    if (!iconWanted && fixed != ImageTexts::Leaf) {
        expandedImage = ImageTexts::Open;  // a folder's
    } else if (std::int32_t index; !expandedField.isEmpty() && (!parseInt32(expandedField, index) ||
                                                                index <= ImageKeys::LeafIndex)) {
        expandedImage = fixedImage(expandedField);
        if (expandedImage == ImageTexts::Empty)
            expandedImage =
                holdForLine(strayCr ? keptValue(line, expandedField) : line.decode(expandedField));
    }

    // A parent that is no earlier line that made a node (itself, a later
    // line, not a number) cannot be honoured; the node is kept at the top
    // level rather than lost.
    TreeNode* parent = nullptr;
    if (std::int32_t position;
        parseInt32(trimValue(record.field(5)), position, line.bytes().data()) && position >= 1 &&
        qsizetype(position) <= qsizetype(nodeLines_.size()))
        parent = nodeLines_[std::size_t(position - 1)];
    // Anything but "True" leaves the node collapsed and unselected.
    const bool expanded = parseTruth(line, trimValue(record.field(4))).value_or(false);
    TreeNode* node = tree_.AppendLoaded(parent, text, tag, image, expandedImage, expanded);
    for (; lineImageCount_ > 0; --lineImageCount_)
        tree_.LetGoImage(lineImages_[lineImageCount_ - 1]);
    nodeLines_.push_back(node);
    if (!node)
        return;
    if (iconWanted)
        sink_.itemIconWanted(node);
    if (count == NodeFields::MaxCount &&
        parseTruth(line, trimValue(record.field(6))).value_or(false))
        toSelect_ = node;
}

void Reader::readQuickEntry(const SettingsLine& line, QByteArrayView record) {
    if (quickListFull_)
        return;  // entries beyond the list's places are dropped
    const TokenCut cut = GetToken(record, "\t");
    const QString caption = keptValue(line, cut.token);
    const QString path = UnquotedPath(keptValue(line, cut.rest));  // TABs in it too are blanks
    if (caption.isEmpty() || path.isEmpty())
        return;
    if (!sink_.appendQuickEntry(caption, path))
        quickListFull_ = true;
}
}  // namespace

int ReadSettingsPieces(const std::function<QByteArrayView()>& next, SettingsSink& sink,
                       NodeTree& tree) {
    Reader reader(sink, tree);
    int foreign = 0;
    bool first = true;
    const auto readLine = [&](QByteArrayView line) {
        if (line.endsWith('\r'))
            line.chop(1);
        // A byte-order mark that another editor put at the start says nothing
        // more (nor does a second one right after it); anywhere else it is
        // text like any other.
        constexpr char Bom[] = "\xEF\xBB\xBF";
        if (first && line.startsWith(Bom)) {
            line = line.sliced(3);
            if (line.startsWith(Bom) && SettingsLine(line).isUtf8())
                line = line.sliced(3);
        }
        first = false;
        foreign += reader.readLine(line) ? 0 : 1;
    };
    {
        // One reset for the view instead of a notification per node.
        BulkTreeChange bulk(tree);
        QByteArray cut;  // the start of a line whose end is in a later piece
        for (QByteArrayView piece = next(); !piece.isEmpty(); piece = next()) {
            while (const auto* const lf = static_cast<const char*>(
                       std::memchr(piece.data(), '\n', std::size_t(piece.size())))) {
                const QByteArrayView line = piece.first(lf - piece.data());
                piece = piece.sliced(line.size() + 1);
                if (cut.isEmpty()) {
                    readLine(line);
                } else {
                    cut.append(line);
                    readLine(cut);
                    cut.resize(0);
                }
            }
            cut.append(piece);
        }
        if (!cut.isEmpty())
            readLine(cut);
    }
    // Selecting scrolls the node into view, which the view can only do once
    // it knows the node; at most one node is selected, so the last wins.
    if (TreeNode* node = reader.nodeToSelect())
        sink.selectLoadedNode(node);
    return foreign;
}

int ReadSettingsText(QByteArrayView bytes, SettingsSink& sink, NodeTree& tree) {
    return ReadSettingsPieces([&bytes] { return std::exchange(bytes, QByteArrayView()); }, sink,
                              tree);
}
