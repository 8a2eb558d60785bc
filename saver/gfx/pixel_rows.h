// Copying and comparing runs of 32-bit pixels, the inner loops of the masked draws and of the
// stage copies. The C library's memcpy under some systems copies byte by byte, and these runs are
// short and many: sixteen bytes at a time where the processor has SSE2.
#pragma once
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

inline void CopyPixels(uint32_t* to, const uint32_t* from, int count) {
    int i = 0;
#if defined(__SSE2__)
    for (; i + 4 <= count; i += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i)));
#endif
    for (; i < count; ++i)
        to[i] = from[i];
}

// Asks for count pixels from p to be brought into the cache, where the processor can be asked:
// rows many kilobytes apart defeat its own guessing, and a comparison that reads them one after
// the other would otherwise wait for each.
inline void PrefetchPixels(const uint32_t* p, int count) {
#if defined(__SSE2__)
    if (count <= 0)
        return;
    for (int i = 0; i < count; i += 16)  // 16 pixels: one cache line
        _mm_prefetch(reinterpret_cast<const char*>(p + i), _MM_HINT_T0);
    _mm_prefetch(reinterpret_cast<const char*>(p + count - 1), _MM_HINT_T0);
#else
    (void)p;
    (void)count;
#endif
}

// The first x in [from, to) where the rows differ, or to.
inline int FirstDifference(const uint32_t* a, const uint32_t* b, int from, int to) {
    int x = from;
#if defined(__SSE2__)
    for (; x + 4 <= to; x += 4) {
        const __m128i same = _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + x)),
                                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + x)));
        if (_mm_movemask_epi8(same) != 0xFFFF)
            break;
    }
#endif
    while (x < to && a[x] == b[x])
        ++x;
    return x;
}

// One past the last x in [from, to) where the rows differ, or from.
inline int LastDifference(const uint32_t* a, const uint32_t* b, int from, int to) {
    int x = to;
#if defined(__SSE2__)
    for (; x - 4 >= from; x -= 4) {
        const __m128i same = _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + x - 4)),
                                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + x - 4)));
        if (_mm_movemask_epi8(same) != 0xFFFF)
            break;
    }
#endif
    while (x > from && a[x - 1] == b[x - 1])
        --x;
    return x;
}

// Each of count pixels written n times over, side by side: one row of a whole-number enlargement.
inline void RepeatPixels(uint32_t* to, const uint32_t* from, int count, int n) {
    int i = 0;
#if defined(__SSE2__)
    if (n == 2) {
        for (; i + 4 <= count; i += 4, to += 8) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_unpacklo_epi32(v, v));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 4), _mm_unpackhi_epi32(v, v));
        }
    } else if (n == 3) {
        for (; i + 4 <= count; i += 4, to += 12) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 0, 0, 0)));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 4), _mm_shuffle_epi32(v, _MM_SHUFFLE(2, 2, 1, 1)));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 8), _mm_shuffle_epi32(v, _MM_SHUFFLE(3, 3, 3, 2)));
        }
    }
#endif
    for (; i < count; ++i)
        for (int k = 0; k < n; ++k)
            *to++ = from[i];
}
