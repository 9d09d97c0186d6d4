#pragma once

#include <QByteArrayView>
#include <QString>

#include <cstdint>

// One line of a settings file as bytes, with the encoding it is read in.
// Each line is decided on its own, so that one line of an older version (or
// one stray byte) does not garble the UTF-8 of all the others: a line that
// is valid UTF-8 is UTF-8, any other Windows-1252. A sequence cut off at the
// end of a line makes that line Windows-1252.
//
// Every character the file is cut at (LF, CR, TAB, blank, "=") is an ASCII
// byte, which in both encodings is that character and never part of
// another; so a line is cut as bytes, and a part of it decodes alone as it
// would inside the whole line. Only the parts that are kept are decoded.
class SettingsLine {
public:
    explicit SettingsLine(QByteArrayView bytes);
    // A line its reader has already seen to be all ASCII.
    static SettingsLine ascii(QByteArrayView bytes) { return SettingsLine(bytes, Encoding::Ascii); }

    QByteArrayView bytes() const { return bytes_; }
    bool isAscii() const { return encoding_ == Encoding::Ascii; }
    bool isUtf8() const { return encoding_ != Encoding::Cp1252; }
    // The text of a part of bytes() (or of the whole); a byte-order mark at
    // its start is text like any other.
    QString decode(QByteArrayView part) const;

private:
    enum class Encoding : std::uint8_t { Ascii, Utf8, Cp1252 };
    SettingsLine(QByteArrayView bytes, Encoding encoding) : bytes_(bytes), encoding_(encoding) {}
    QByteArrayView bytes_;
    Encoding encoding_;
};

// Whether every byte is ASCII.
bool IsAscii(QByteArrayView bytes);
