#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, the code page files of older versions were written in. The
// five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// map to the control characters of the same value, so no byte is lost.
QString DecodeCp1252(const QByteArray& bytes);
