#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

class StringArena;

// A node's two strings, its label and its path, in one heap block: a small
// header with their lengths, then the label's bytes and the path's. Each is
// kept in UTF-8, a byte a character for the ASCII of nearly every path, where
// two QStrings would cost two blocks of UTF-16 with a header each. A string
// UTF-8 cannot hold exactly (one with a lone surrogate) is kept in UTF-16
// instead, so that every string reads back as it was set. Two empty strings
// take no block at all. The blocks come from an arena that the owner
// passes to each change: its tree's, shared by all its nodes, which must
// clear their strings before they go.
class NodeStrings {
public:
    enum Field { Text, Tag };

    NodeStrings() = default;
    ~NodeStrings() = default;
    NodeStrings(const NodeStrings&) = delete;
    NodeStrings& operator=(const NodeStrings&) = delete;

    QString get(Field field) const;
    // The field's UTF-8, when that is how it is kept; a view into the block
    // that lasts until the next set.
    std::optional<QByteArrayView> utf8(Field field) const;
    bool isEmpty(Field field) const;

    void set(Field field, QStringView value, StringArena& arena);
    // Both at once from their UTF-8, which must be valid UTF-8.
    void setUtf8(QByteArrayView text, QByteArrayView tag, StringArena& arena);
    // Both empty, the block given back.
    void clear(StringArena& arena) {
        if (block_)
            release(arena);
    }

private:
    // How one field is kept: its length in its own units, and whether those
    // are UTF-16 units rather than bytes.
    struct Stored {
        std::uint32_t size = 0;
        bool utf16 = false;
        qsizetype bytes() const { return qsizetype(size) * (utf16 ? 2 : 1); }
    };
    struct Part {
        Stored form;
        const void* data;
    };
    Part part(Field field) const;
    // Replaces the block with one holding the two parts given.
    void assign(const Part& text, const Part& tag, StringArena& arena);
    qsizetype blockBytes() const;
    void release(StringArena& arena);

    // The header: each field's length, its top bit set for UTF-16.
    static constexpr std::uint32_t Utf16Bit = 0x80000000u;
    static constexpr qsizetype HeaderBytes = 2 * sizeof(std::uint32_t);
    char* block_ = nullptr;
};
