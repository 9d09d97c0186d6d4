#include "NodeFields.h"

#include <algorithm>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The bytes from one on, one at a time.
void NodeFields::scanBytes(qsizetype from) {
    for (qsizetype i = from; i < record_.size(); ++i) {
        const char c = record_[i];
        if (static_cast<unsigned char>(c) >= 0x80)
            nonAscii_ = true;
        else if (c == '\r')
            cr_ = true;
        else if (c == '\t' && tabCount_ < MaxCount)
            tabs_[std::size_t(tabCount_++)] = i;
    }
}

NodeFields::NodeFields(QByteArrayView record) : record_(record) {
    const qsizetype size = record.size();
    qsizetype i = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time, the last sixteen of a record read last (again
    // in part) with the bytes seen already masked off: one loop whose body
    // the compiler keeps in place.
    if (size >= 16) {
        const char* const bytes = record.data();
        const __m128i tab = _mm_set1_epi8('\t');
        const __m128i cr = _mm_set1_epi8('\r');
        unsigned high = 0, crs = 0;
        for (qsizetype next = 0; next < size; next += 16) {
            const qsizetype from = std::min(next, size - 16);
            const unsigned keep = (0xFFFFu << (next - from)) & 0xFFFF;
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + from));
            high |= unsigned(_mm_movemask_epi8(v));
            crs |= unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, cr)));
            unsigned tabs = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, tab))) & keep;
            while (tabs && tabCount_ < MaxCount) {
                tabs_[std::size_t(tabCount_++)] = from + std::countr_zero(tabs);
                tabs &= tabs - 1;
            }
        }
        i = size;
        nonAscii_ = high != 0;
        cr_ = crs != 0;
    }
#endif
    scanBytes(i);
    // Each TAB ends a field; after the last one found, the rest is one more
    // unless it is empty or the seventh field has been cut already.
    const qsizetype rest = tabCount_ == 0 ? 0 : tabs_[std::size_t(tabCount_ - 1)] + 1;
    count_ = tabCount_ + (tabCount_ < MaxCount && rest < size ? 1 : 0);
}
