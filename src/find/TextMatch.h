#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

// Where what the user typed was found in one text.
enum class MatchPlace : std::uint8_t {
    Start,      // the text begins with it
    WordStart,  // a word of the text begins with it
    Inside,     // it is found in the middle of a word only
    None
};

// How well a node's label and path match, best first: any match on the label
// comes before a match on the path, and within each the place decides.
enum class MatchRank : std::uint8_t {
    LabelStart,
    LabelWord,
    LabelInside,
    PathStart,
    PathWord,
    PathInside,
    None
};

MatchRank RankOf(MatchPlace label, MatchPlace path);

// What the user typed, made ready to be looked for in many texts: folded once
// here, while each text is folded as it is read, character by character,
// without a copy, since one keystroke runs this over a hundred thousand
// labels and paths. Folding ignores case and accents ("É" and "e" are the
// same letter, as are "Ä" and "a"): each character is case-folded and
// reduced to its base letter when it is a letter with marks on it; marks
// written on their own are skipped in both texts. A word begins at the start
// of a text, after any character that is neither letter nor digit (a space,
// punctuation, "/", "_", "-") and where a small letter is followed by a
// capital ("myFile").
class TextMatch {
public:
    // Spaces around what was typed do not count.
    explicit TextMatch(QStringView typed);

    // Nothing to look for: every text matches at its start.
    bool IsEmpty() const { return folded_.empty(); }

    MatchPlace Find(QStringView text) const;
    // The same in text kept as UTF-8.
    MatchPlace FindUtf8(QByteArrayView text) const;

    // The label's place first, the path looked at only when the label does
    // not match.
    MatchRank Rank(QStringView label, QStringView path) const;

    // The text as it is compared: case and accents folded, marks dropped.
    static QString Fold(QStringView text);

private:
    template <class Reader>
    MatchPlace find(Reader text) const;
    // Whether the text goes on with what was typed after its first
    // character; reads what it compares.
    template <class Reader>
    bool restMatches(Reader& text) const;

    std::vector<char32_t> folded_;
};
