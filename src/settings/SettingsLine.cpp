#include "SettingsLine.h"

#include "Cp1252.h"

#include <QStringDecoder>

#include <cstring>

namespace {
// Stateless: a sequence cut off at the end of a part is an error, not
// something to complete with the next one. A byte-order mark is kept.
QStringDecoder utf8Decoder() {
    return QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                      QStringConverter::Flag::ConvertInitialBom);
}
}  // namespace

bool IsAscii(QByteArrayView bytes) {
    const char* at = bytes.data();
    const qsizetype size = bytes.size();
    const auto word = [](const char* from) {
        std::uint64_t w;
        std::memcpy(&w, from, sizeof w);
        return w;
    };
    if (size < 8) {
        for (qsizetype i = 0; i < size; ++i)
            if (static_cast<unsigned char>(at[i]) >= 0x80)
                return false;
        return true;
    }
    // Eight bytes at a time, the last eight read last (again in part): most
    // lines are all ASCII, so the bytes are gathered first and looked at
    // once every 64.
    const char* const last = at + size - 8;
    std::uint64_t any = word(last);
    while (at < last) {
        for (int i = 0; i < 8 && at < last; ++i, at += 8)
            any |= word(at);
        if (any & 0x8080808080808080u)
            return false;
    }
    return (any & 0x8080808080808080u) == 0;
}

SettingsLine::SettingsLine(QByteArrayView bytes) : bytes_(bytes), encoding_(Encoding::Ascii) {
    if (IsAscii(bytes))
        return;
    QStringDecoder utf8 = utf8Decoder();
    QString scratch(bytes.size(), Qt::Uninitialized);
    utf8.appendToBuffer(scratch.data(), bytes);
    encoding_ = utf8.hasError() ? Encoding::Cp1252 : Encoding::Utf8;
}

QString SettingsLine::decode(QByteArrayView part) const {
    if (part.isEmpty())
        return QString();
    if (encoding_ == Encoding::Ascii)
        return QString::fromLatin1(part.data(), part.size());
    // Neither encoding makes more than one UTF-16 unit of a byte.
    QString text(part.size(), Qt::Uninitialized);
    QChar* end = nullptr;
    if (encoding_ == Encoding::Utf8) {
        QStringDecoder utf8 = utf8Decoder();
        end = utf8.appendToBuffer(text.data(), part);
    } else {
        end = DecodeCp1252(part, text.data());
    }
    text.truncate(end - text.constData());
    return text;
}
