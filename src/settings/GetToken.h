#pragma once

#include <QStringView>

// A line cut at its first delimiter: the token before it and the rest after
// it, each trimmed of blanks. Views into the line, so that reading a large
// file copies only the fields it keeps.
struct TokenCut {
    QStringView token;
    QStringView rest;
    bool found = false;  // whether the delimiter occurred at all; if not, the token is the line
};

// Leading and trailing spaces removed; a TAB is not a blank.
QStringView TrimBlanks(QStringView text);

// Cuts the first token off a line; an empty delimiter means ",". The
// delimiter is compared exactly, and only spaces count as blanks.
TokenCut GetToken(QStringView line, QStringView delimiter);
