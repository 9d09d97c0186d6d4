#pragma once

#include <QByteArrayView>
#include <QChar>

// Windows-1252, the code page files of older versions were written in. The
// five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// map to the control characters of the same value, so no byte is lost.
// Writes one character per byte at out and returns the end of what it wrote,
// so that lines of a file can be decoded into one buffer.
QChar* DecodeCp1252(QByteArrayView bytes, QChar* out);
