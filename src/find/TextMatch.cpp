#include "TextMatch.h"

#include <QChar>
#include <QList>

#include <cstdint>
#include <cstring>
#include <optional>

namespace {

// What a mark written on its own folds to: nothing, it is skipped.
constexpr char32_t Skip = 0;

// Letters with a stroke through them have no decomposition, yet are read as
// their plain letter as surely as the accented ones are.
char32_t withoutStroke(char32_t c) {
    switch (c) {
    case U'\u00F8':  // ø
        return U'o';
    case U'\u0111':  // đ
        return U'd';
    case U'\u0127':  // ħ
        return U'h';
    case U'\u0142':  // ł
        return U'l';
    case U'\u0167':  // ŧ
        return U't';
    default:
        return c;
    }
}

char32_t foldSlow(char32_t c) {
    if (QChar::isMark(c))
        return Skip;
    const char32_t folded = withoutStroke(QChar::toCaseFolded(c));
    if (QChar::decompositionTag(folded) != QChar::Canonical)
        return folded;
    // A letter with marks on it is its base letter; a decomposition into
    // letters (a Hangul syllable into its jamo) is no accent, and stays.
    const QList<uint> parts = QChar::decomposition(folded).toUcs4();
    if (parts.isEmpty() || QChar::isMark(parts.front()))
        return folded;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        if (!QChar::isMark(parts[i]))
            return folded;
    }
    return foldSlow(parts.front());
}

// The folding of the alphabets that have case or accents, worked out once:
// Qt's decomposition makes a string each time.
class FoldTable {
public:
    static constexpr char32_t Size = 0x3000;

    FoldTable() {
        for (char32_t c = 0; c < Size; ++c)
            folded_[c] = static_cast<char16_t>(foldSlow(c));
    }
    char32_t operator[](char32_t c) const { return folded_[c]; }

private:
    char16_t folded_[Size];
};

const FoldTable& foldTable() {
    static const FoldTable table;
    return table;
}

inline char32_t fold(char32_t c) {
    if (c < 0x80)
        return c - U'A' < 26u ? c + (U'a' - U'A') : c;
    if (c < FoldTable::Size)
        return foldTable()[c];
    return foldSlow(c);
}

inline bool isLetterOrDigit(char32_t c) {
    if (c < 0x80)
        return (c | 0x20) - U'a' < 26u || c - U'0' < 10u;
    return QChar::isLetterOrNumber(c);
}

// Whether a word begins at c, which follows previous.
bool beginsWord(char32_t previous, char32_t c) {
    if (!isLetterOrDigit(previous))
        return true;
    return QChar::isLower(previous) && QChar::isUpper(c);
}

class Utf16Reader {
public:
    explicit Utf16Reader(QStringView text) : at_(text.utf16()), end_(at_ + text.size()) {}

    bool next(char32_t& c) {
        if (at_ == end_)
            return false;
        const char16_t unit = *at_++;
        if (QChar::isHighSurrogate(unit) && at_ != end_ && QChar::isLowSurrogate(*at_))
            c = QChar::surrogateToUcs4(unit, *at_++);
        else
            c = unit;
        return true;
    }

private:
    const char16_t* at_;
    const char16_t* end_;
};

// Reads UTF-8 that is meant to be valid; a byte that does not fit is read as
// the replacement character, and nothing is read past the end.
class Utf8Reader {
public:
    Utf8Reader(const unsigned char* at, const unsigned char* end) : at_(at), end_(end) {}

    bool next(char32_t& c) {
        if (at_ == end_)
            return false;
        const unsigned char lead = *at_++;
        if (lead < 0x80) {
            c = lead;
            return true;
        }
        int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
        if (more < 0 || lead > 0xF4 || end_ - at_ < more) {
            c = U'\uFFFD';
            return true;
        }
        char32_t value = lead & (0x3F >> more);
        for (int i = 0; i < more; ++i) {
            if ((at_[i] & 0xC0) != 0x80) {
                c = U'\uFFFD';
                return true;
            }
            value = (value << 6) | (at_[i] & 0x3F);
        }
        at_ += more;
        c = value;
        return true;
    }

private:
    const unsigned char* at_;
    const unsigned char* end_;
};

// The next character of text as compared, marks skipped; false at the end.
template <class Reader>
bool nextFolded(Reader& text, char32_t& folded) {
    char32_t c;
    while (text.next(c)) {
        folded = fold(c);
        if (folded != Skip)
            return true;
    }
    return false;
}

// The first byte from at on that is small or capital or beyond ASCII, or
// end: eight bytes at a time, most of which hold none of them.
const unsigned char* nextCandidate(const unsigned char* at, const unsigned char* end,
                                   unsigned char small, unsigned char capital) {
    constexpr std::uint64_t ones = 0x0101010101010101u, highs = 0x8080808080808080u;
    const std::uint64_t smalls = ones * small, capitals = ones * capital;
    for (; end - at >= 8; at += 8) {
        std::uint64_t word;
        std::memcpy(&word, at, sizeof word);
        // A byte equal to the one looked for leaves a zero byte after the
        // exclusive or, which the subtraction turns into one with its high
        // bit set.
        const std::uint64_t notSmall = word ^ smalls, notCapital = word ^ capitals;
        const std::uint64_t marked =
            ((notSmall - ones) & ~notSmall) | ((notCapital - ones) & ~notCapital) | word;
        if (marked & highs)
            break;
    }
    for (; at != end; ++at) {
        if (*at == small || *at == capital || *at >= 0x80)
            return at;
    }
    return end;
}

// The last character before at that is not a mark, read back from the
// lead byte of each; none at the start of the text.
std::optional<char32_t> characterBefore(const unsigned char* begin, const unsigned char* at) {
    while (at != begin) {
        const unsigned char* lead = at - 1;
        while (lead != begin && (*lead & 0xC0) == 0x80 && at - lead < 4)
            --lead;
        char32_t c = 0;
        Utf8Reader(lead, at).next(c);
        if (fold(c) != Skip)
            return c;
        at = lead;
    }
    return std::nullopt;
}

}  // namespace

MatchRank RankOf(MatchPlace label, MatchPlace path) {
    if (label != MatchPlace::None)
        return static_cast<MatchRank>(static_cast<int>(MatchRank::LabelStart) +
                                      static_cast<int>(label));
    if (path != MatchPlace::None)
        return static_cast<MatchRank>(static_cast<int>(MatchRank::PathStart) +
                                      static_cast<int>(path));
    return MatchRank::None;
}

TextMatch::TextMatch(QStringView typed) {
    Utf16Reader reader(typed.trimmed());
    char32_t folded;
    while (nextFolded(reader, folded))
        folded_.push_back(folded);
}

QString TextMatch::Fold(QStringView text) {
    QString out;
    out.reserve(text.size());
    Utf16Reader reader(text);
    char32_t folded;
    while (nextFolded(reader, folded)) {
        if (QChar::requiresSurrogates(folded)) {
            out += QChar(QChar::highSurrogate(folded));
            out += QChar(QChar::lowSurrogate(folded));
        } else {
            out += QChar(static_cast<char16_t>(folded));
        }
    }
    return out;
}

template <class Reader>
bool TextMatch::restMatches(Reader& text) const {
    for (std::size_t i = 1; i < folded_.size(); ++i) {
        char32_t next;
        if (!nextFolded(text, next) || next != folded_[i])
            return false;
    }
    return true;
}

template <class Reader>
MatchPlace TextMatch::find(Reader text) const {
    if (folded_.empty())
        return MatchPlace::Start;
    const char32_t first = folded_.front();
    MatchPlace best = MatchPlace::None;
    bool atStart = true;
    char32_t previous = 0;  // the last character that was not a mark
    char32_t c;
    while (text.next(c)) {
        const char32_t folded = fold(c);
        if (folded == Skip)
            continue;
        if (folded == first) {
            Reader rest = text;
            if (restMatches(rest)) {
                if (atStart)
                    return MatchPlace::Start;
                if (beginsWord(previous, c))
                    return MatchPlace::WordStart;  // nothing later can do better
                best = MatchPlace::Inside;
            }
        }
        previous = c;
        atStart = false;
    }
    return best;
}

MatchPlace TextMatch::Find(QStringView text) const {
    return find(Utf16Reader(text));
}

// Only the bytes that can begin the first character typed are looked at
// closely: that character in either case, or the lead byte of a character
// beyond ASCII, which may fold to it. The rest is passed over a byte at a
// time, which is most of every text.
MatchPlace TextMatch::FindUtf8(QByteArrayView text) const {
    if (folded_.empty())
        return MatchPlace::Start;
    const auto* const begin = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = begin + text.size();
    const char32_t first = folded_.front();
    // 0xFF is never in UTF-8: a first character beyond ASCII has no byte.
    const unsigned char small = first < 0x80 ? static_cast<unsigned char>(first) : 0xFF;
    const unsigned char capital =
        first - U'a' < 26u ? static_cast<unsigned char>(first - (U'a' - U'A')) : small;
    // What follows a lead byte never begins a character, but a stray one
    // reads as the replacement character.
    const unsigned char beyond = first < 0x80 ? 0xC0 : 0x80;
    MatchPlace best = MatchPlace::None;
    for (const unsigned char* at = begin; (at = nextCandidate(at, end, small, capital)) != end;
         ++at) {
        if (*at >= 0x80 && *at < beyond)
            continue;
        Utf8Reader rest(at, end);
        char32_t c = 0;
        rest.next(c);
        if (fold(c) != first || !restMatches(rest))
            continue;
        const std::optional<char32_t> previous = characterBefore(begin, at);
        if (!previous)
            return MatchPlace::Start;
        if (beginsWord(*previous, c))
            return MatchPlace::WordStart;
        best = MatchPlace::Inside;
    }
    return best;
}

MatchRank TextMatch::Rank(QStringView label, QStringView path) const {
    const MatchPlace inLabel = Find(label);
    return RankOf(inLabel, inLabel == MatchPlace::None ? Find(path) : MatchPlace::None);
}
