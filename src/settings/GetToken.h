#pragma once

#include <QByteArrayView>
#include <QStringView>

// A line cut at its first delimiter: the token before it and the rest after
// it, each trimmed of blanks. Views into the line's bytes, so that reading a
// large file copies only the fields it keeps.
struct TokenCut {
    QByteArrayView token;
    QByteArrayView rest;
    bool found = false;  // whether the delimiter occurred at all; if not, the token is the line
};

// Leading and trailing spaces removed; a TAB is not a blank.
QStringView TrimBlanks(QStringView text);
QByteArrayView TrimBlanks(QByteArrayView bytes);

// Cuts the first token off a line; an empty delimiter means ",". The
// delimiter is compared exactly, and only spaces count as blanks. Works on
// the bytes of a line in either of the file's encodings, for a delimiter of
// ASCII characters: in both, such a byte is that character and never part
// of another.
TokenCut GetToken(QByteArrayView line, QByteArrayView delimiter);
