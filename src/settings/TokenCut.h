#pragma once

#include <QStringView>

// The tokenizer behind GetToken, over views so that reading a large file
// copies only the fields it keeps.
struct TokenCut {
    QStringView token;
    QStringView rest;
    bool found = false;  // whether the delimiter occurred at all
};

// Leading and trailing spaces removed; a TAB is not a blank.
QStringView TrimBlanks(QStringView text);

// The same cut as GetToken: an empty delimiter means ",".
TokenCut CutToken(QStringView line, QStringView delimiter);
