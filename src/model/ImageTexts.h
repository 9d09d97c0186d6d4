#pragma once

#include <QHash>
#include <QString>

#include <cstdint>
#include <deque>
#include <vector>

// The image texts of a tree's nodes, each distinct one kept once. Nearly
// every node shows one of a handful of images ("closed", "open", "leaf", a
// few icon indexes), so a node holds a small number instead of a string of
// its own. Any other text (a waiting mark, an odd stored value) gets a
// number too, while some node uses it.
class ImageTexts {
public:
    using Id = std::uint32_t;
    static constexpr Id Empty = 0;
    static constexpr Id Closed = 1;
    static constexpr Id Open = 2;
    static constexpr Id Leaf = 3;

    ImageTexts();

    // The text stays where it is while its number is in use: a reference
    // to it lasts as long as one to a string member would.
    const QString& text(Id id) const { return texts_[id]; }
    // Puts text in the place of old for one user: the number of text, old
    // given back when nobody else uses it.
    Id replace(Id old, const QString& text);
    // The number of text for a new user, one that held none before.
    Id take(const QString& text) {
        // A copy of a fixed text, as a reader passes for nearly every node,
        // shares its characters and is told without a call.
        for (Id id = Closed; id <= Leaf; ++id)
            if (text.constData() == fixed_[id])
                return id;
        return acquire(text);
    }
    // One more user of a number some user holds already.
    void share(Id id) {
        if (id > Leaf)
            ++users_[id];
    }
    // The fixed numbers' texts, to be copied by those who pass them here.
    static const QString& FixedText(Id id);
    void release(Id id);
    // Distinct texts in use besides the four fixed ones.
    int used() const { return int(ids_.size()); }

private:
    static constexpr std::uint32_t Fixed = UINT32_MAX;  // never given back
    Id acquire(const QString& text);

    std::deque<QString> texts_;  // never moves its elements
    // How many use each number, apart from its text: counted for every
    // node read, and a few hundred counts in a row stay at hand.
    std::vector<std::uint32_t> users_;
    QHash<QString, Id> ids_;        // the texts in use besides the fixed ones
    std::vector<Id> free_;          // numbers given back, to be given out again
    Id last_ = Empty;               // the text most recently taken besides the fixed ones
    const QChar* fixed_[Leaf + 1];  // the characters of FixedText
};
