#include "NameBytes.h"

namespace {
// The length of the UTF-8 sequence that starts at the place, or 0 when the
// bytes there are no character: a stray continuation byte, a sequence cut
// short or too long for its character, an encoded surrogate, a character
// beyond U+10FFFF.
qsizetype SequenceAt(QByteArrayView bytes, qsizetype at) {
    const auto byte = [&bytes](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return 1;
    qsizetype length = 0;
    unsigned char low = 0x80, high = 0xbf;  // the second byte's range
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        low = lead == 0xe0 ? 0xa0 : low;
        high = lead == 0xed ? 0x9f : high;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        low = lead == 0xf0 ? 0x90 : low;
        high = lead == 0xf4 ? 0x8f : high;
    } else {
        return 0;
    }
    if (at + length > bytes.size() || byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (qsizetype i = at + 2; i < at + length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xbf)
            return 0;
    }
    return length;
}
}  // namespace

QString NameFromBytes(QByteArrayView bytes) {
    QString text;
    qsizetype run = 0;  // where the UTF-8 not yet decoded begins
    for (qsizetype at = 0; at < bytes.size();) {
        if (const qsizetype length = SequenceAt(bytes, at); length > 0) {
            at += length;
            continue;
        }
        text += QString::fromUtf8(bytes.sliced(run, at - run));
        text += QChar(0xdc00 + static_cast<unsigned char>(bytes[at]));
        run = ++at;
    }
    if (run == 0)
        return QString::fromUtf8(bytes);
    return text + QString::fromUtf8(bytes.sliced(run));
}

QByteArray BytesOfName(QStringView name) {
    QByteArray bytes;
    qsizetype run = 0;  // where the text not yet encoded begins
    for (qsizetype at = 0; at < name.size(); ++at) {
        const char16_t c = name[at].unicode();
        if (c < 0xdc80 || c > 0xdcff || (at > 0 && name[at - 1].isHighSurrogate()))
            continue;
        bytes += name.sliced(run, at - run).toUtf8();
        bytes += static_cast<char>(c - 0xdc00);
        run = at + 1;
    }
    return bytes + name.sliced(run).toUtf8();
}

bool IsText(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!c.isSurrogate())
            continue;
        if (!c.isHighSurrogate() || i + 1 == text.size() || !text[i + 1].isLowSurrogate())
            return false;
        ++i;
    }
    return true;
}
