#include "NodeFields.h"

#include <algorithm>
#include <bit>
#include <cstdint>

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
    // Thirty-two bytes at a time, as two pieces of sixteen; a piece never
    // reads past the record: near its end, the last sixteen bytes are read
    // (again in part) and the bytes seen already are shifted off. One loop
    // whose body the compiler keeps in place.
    if (size >= 16) {
        const char* const bytes = record.data();
        const __m128i tab = _mm_set1_epi8('\t');
        const __m128i cr = _mm_set1_epi8('\r');
        // Bytes with the high bit and CRs are gathered as they come and
        // told once, at the end: a byte read twice changes neither.
        __m128i highs = _mm_setzero_si128(), crs = _mm_setzero_si128();
        // Bit k of the result stands for the byte at piece + k.
        const auto tabsAt = [&](qsizetype piece) {
            const qsizetype from = std::min(piece, size - 16);
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + from));
            highs = _mm_or_si128(highs, v);
            crs = _mm_or_si128(crs, _mm_cmpeq_epi8(v, cr));
            const auto found = std::uint32_t(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, tab))));
            return found >> (piece - from);  // under 32, as piece < size + 16
        };
        int count = 0;
        for (qsizetype next = 0; next < size; next += 32) {
            std::uint32_t tabs = tabsAt(next) | tabsAt(next + 16) << 16;
            if (count >= MaxCount || !tabs)  // none, as inside a long path
                continue;
            // Thirty-two bytes hold two or three TABs: four places are
            // written whether there or not, and only those there are
            // counted (the room after MaxCount takes the rest). More TABs
            // go on one by one.
            qsizetype* const out = tabs_ + count;
            for (int k = 0; k < 4; ++k) {
                out[k] = next + std::countr_zero(tabs);
                count += tabs != 0;
                tabs &= tabs - 1;
            }
            for (int k = 4; tabs; ++k) {
                out[k] = next + std::countr_zero(tabs);
                ++count;
                tabs &= tabs - 1;
            }
        }
        tabCount_ = std::min(count, MaxCount);
        i = size;
        nonAscii_ = _mm_movemask_epi8(highs) != 0;
        cr_ = _mm_movemask_epi8(crs) != 0;
    }
#endif
    scanBytes(i);
    // Each TAB ends a field; after the last one found, the rest is one more
    // unless it is empty or the seventh field has been cut already.
    const qsizetype rest = tabCount_ == 0 ? 0 : tabs_[std::size_t(tabCount_ - 1)] + 1;
    count_ = tabCount_ + (tabCount_ < MaxCount && rest < size ? 1 : 0);
    tabs_[std::size_t(tabCount_)] = size;
}
