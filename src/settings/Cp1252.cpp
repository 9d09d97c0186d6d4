#include "Cp1252.h"

namespace {
// 0x80 to 0x9F; everything else is the same as Latin-1. Eight a row, as
// code page charts show them.
// clang-format off
constexpr char16_t HighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
// clang-format on
}  // namespace

QChar* DecodeCp1252(QByteArrayView bytes, QChar* out) {
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = QChar((byte >= 0x80 && byte <= 0x9F) ? HighControls[byte - 0x80] : char16_t(byte));
    }
    return out;
}
