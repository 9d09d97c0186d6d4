#pragma once

#include <QString>

// Cuts the first token off a line: the text before the first delimiter (","
// when the delimiter is empty), trimmed of blanks; the line keeps the rest,
// trimmed too. Without a delimiter the whole line is the token. Only spaces
// count as blanks, never TABs.
QString GetToken(QString& line, const QString& delimiter = QString());
