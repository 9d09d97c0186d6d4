#include "NodeFields.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// A mask of TABs among sixteen bytes from base, a bit a byte.
void NodeFields::tabsAt(unsigned mask, qsizetype base) {
    while (mask && tabCount_ < MaxCount) {
        tabs_[std::size_t(tabCount_++)] = base + std::countr_zero(mask);
        mask &= mask - 1;
    }
}

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
    // Sixteen bytes at a time; the last sixteen of a record read last (again
    // in part), their first bytes, seen already, masked off.
    if (size >= 16) {
        const char* const bytes = record.data();
        const __m128i tab = _mm_set1_epi8('\t');
        const __m128i cr = _mm_set1_epi8('\r');
        unsigned high = 0, crs = 0;
        const auto scan = [&](qsizetype from, unsigned keep) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + from));
            high |= unsigned(_mm_movemask_epi8(v)) & keep;
            crs |= unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, cr))) & keep;
            tabsAt(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, tab))) & keep, from);
        };
        for (; i + 16 <= size; i += 16)
            scan(i, 0xFFFF);
        if (i < size)
            scan(size - 16, (0xFFFFu << (16 - (size - i))) & 0xFFFF);
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
