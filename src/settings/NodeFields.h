#pragma once

#include <QByteArrayView>

#include <cstddef>

// A node line's record cut at its TABs into at most seven fields, as
// GetToken would cut it field after field (untrimmed: a field's blanks are
// its reader's to take off), in one pass that also notes what the reader
// must know of the whole record: whether any byte is not ASCII (the record
// then decides the line's encoding) and whether a stray CR is in it. A large
// file has a hundred thousand of these lines; one pass over each instead of
// a search per field and two more over the whole is most of its reading.
class NodeFields {
public:
    static constexpr int MaxCount = 7;  // fields beyond the seventh are ignored

    explicit NodeFields(QByteArrayView record);

    // An empty rest after the last TAB is no field.
    int count() const { return count_; }
    // Field i, i below count().
    QByteArrayView field(int i) const {
        const qsizetype from = i == 0 ? 0 : tabs_[std::size_t(i - 1)] + 1;
        return record_.sliced(from, tabs_[std::size_t(i)] - from);
    }
    bool nonAscii() const { return nonAscii_; }
    bool hasCr() const { return cr_; }

private:
    void scanBytes(qsizetype from);

    QByteArrayView record_;
    // Where the first TABs are, up to the one that ends the last field
    // wanted, then the record's end, which ends the last field when no TAB
    // does; only these are set, as most lines are read in a moment and
    // nothing else of them needs clearing. The scan may write up to
    // thirty-two places past the last it counts.
    qsizetype tabs_[MaxCount + 32];
    int tabCount_ = 0;
    int count_ = 0;
    bool nonAscii_ = false;
    bool cr_ = false;
};
