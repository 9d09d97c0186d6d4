#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Names on Linux are bytes; only most of them are UTF-8. A name that is
// not cannot be text as it is: with replacement characters it would name
// another file, or none. Such a name is decoded with each byte that is not
// part of UTF-8 as a lone surrogate (U+DC80 to U+DCFF), which nothing
// decoded from UTF-8 ever holds. The text then still shows the name, and
// says that it is not the name.
QString NameFromBytes(QByteArrayView bytes);

// The bytes of the name that NameFromBytes decoded: each lone surrogate it
// made gives back its byte, the rest is UTF-8.
QByteArray BytesOfName(QStringView name);

// Whether the text holds no lone surrogate: no byte of a name that was not
// UTF-8, so that it names what it came from.
bool IsText(const QString& text);
