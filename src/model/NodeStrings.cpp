#include "NodeStrings.h"

#include "StringArena.h"

#include <QByteArray>
#include <QStringDecoder>

#include <cstring>

NodeStrings::Part NodeStrings::part(Field field) const {
    if (!block_)
        return {{}, nullptr};
    std::uint32_t header[2];
    std::memcpy(header, block_, sizeof header);
    const auto stored = [](std::uint32_t word) {
        return Stored{word & ~Utf16Bit, (word & Utf16Bit) != 0};
    };
    const Stored text = stored(header[0]);
    if (field == Text)
        return {text, block_ + HeaderBytes};
    return {stored(header[1]), block_ + HeaderBytes + text.bytes()};
}

QString NodeStrings::get(Field field) const {
    const Part p = part(field);
    if (p.form.size == 0)
        return QString();
    if (p.form.utf16) {
        // After a UTF-8 text of odd length, the units lie on odd addresses.
        QString text(qsizetype(p.form.size), Qt::Uninitialized);
        std::memcpy(text.data(), p.data, std::size_t(p.form.bytes()));
        return text;
    }
    const QByteArrayView bytes(static_cast<const char*>(p.data), qsizetype(p.form.size));
    // QString::fromUtf8 would drop a byte-order mark at the start, which
    // here is a character of the text like any other.
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                        QStringConverter::Flag::ConvertInitialBom);
        return utf8.decode(bytes);
    }
    return QString::fromUtf8(bytes);
}

std::optional<QByteArrayView> NodeStrings::utf8(Field field) const {
    const Part p = part(field);
    if (p.form.utf16)
        return std::nullopt;
    return QByteArrayView(static_cast<const char*>(p.data), qsizetype(p.form.size));
}

bool NodeStrings::isEmpty(Field field) const {
    return part(field).form.size == 0;
}

void NodeStrings::set(Field field, QStringView value, StringArena& arena) {
    // A lone surrogate has no UTF-8: such a string stays UTF-16.
    const bool utf16 = !value.isValidUtf16();
    const QByteArray encoded = utf16 ? QByteArray() : value.toUtf8();
    const Part given = utf16 ? Part{{std::uint32_t(value.size()), true}, value.data()}
                             : Part{{std::uint32_t(encoded.size()), false}, encoded.constData()};
    if (field == Text)
        assign(given, part(Tag), arena);
    else
        assign(part(Text), given, arena);
}

void NodeStrings::setUtf8(QByteArrayView text, QByteArrayView tag, StringArena& arena) {
    if (block_ || (text.isEmpty() && tag.isEmpty())) {
        assign({{std::uint32_t(text.size()), false}, text.data()},
               {{std::uint32_t(tag.size()), false}, tag.data()}, arena);
        return;
    }
    // A new node's strings, as a reader gives them: nothing to keep or give
    // back, so straight into a new block.
    block_ =
        static_cast<char*>(arena.allocate(std::size_t(HeaderBytes + text.size() + tag.size())));
    const std::uint32_t header[2] = {std::uint32_t(text.size()), std::uint32_t(tag.size())};
    std::memcpy(block_, header, sizeof header);
    if (!text.isEmpty())
        std::memcpy(block_ + HeaderBytes, text.data(), std::size_t(text.size()));
    if (!tag.isEmpty())
        std::memcpy(block_ + HeaderBytes + text.size(), tag.data(), std::size_t(tag.size()));
}

void NodeStrings::release(StringArena& arena) {
    arena.deallocate(block_, std::size_t(blockBytes()));
    block_ = nullptr;
}

qsizetype NodeStrings::blockBytes() const {
    const Part tag = part(Tag);
    return static_cast<const char*>(tag.data) - block_ + tag.form.bytes();
}

void NodeStrings::assign(const Part& text, const Part& tag, StringArena& arena) {
    char* block = nullptr;
    if (text.form.size != 0 || tag.form.size != 0) {
        const qsizetype textBytes = text.form.bytes();
        const qsizetype tagBytes = tag.form.bytes();
        block = static_cast<char*>(arena.allocate(std::size_t(HeaderBytes + textBytes + tagBytes)));
        const std::uint32_t header[2] = {text.form.size | (text.form.utf16 ? Utf16Bit : 0),
                                         tag.form.size | (tag.form.utf16 ? Utf16Bit : 0)};
        std::memcpy(block, header, sizeof header);
        // Either part may lie in the old block, which goes only once copied.
        if (textBytes)
            std::memcpy(block + HeaderBytes, text.data, std::size_t(textBytes));
        if (tagBytes)
            std::memcpy(block + HeaderBytes + textBytes, tag.data, std::size_t(tagBytes));
    }
    clear(arena);
    block_ = block;
}
