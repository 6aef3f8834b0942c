#include "surface/smoothscale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <emmintrin.h>
#include <vector>

namespace vellora {

namespace {

// Weights in fixed point, each pixel's summing to exactly kOne so that a plain colour stays exactly itself.
// Between the two passes a byte is kept with 7 bits below the point, which fits a signed 16-bit lane.
constexpr int kBits = 14;
constexpr int kOne = 1 << kBits;
constexpr int kBetween = 7;

// For every pixel of the result along one side, the first source pixel it takes and its weights, two to a
// 32-bit word (the first in the low half) as SSE2's multiply-add wants them; an odd last weight has a zero
// beside it.
struct Taps
{
    std::vector<int> first;
    std::vector<int> pairs;
    std::vector<std::int32_t> weights; // `stride` words a pixel
    int stride = 0;
};

Taps tapsFor(int from, int to)
{
    const double scale = double(from) / to;
    const double reach = std::max(1.0, scale); // half the tent's width, in source pixels
    const int most = int(std::ceil(reach)) * 2 + 2;
    Taps taps;
    taps.stride = (most + 1) / 2;
    taps.first.resize(std::size_t(to));
    taps.pairs.resize(std::size_t(to));
    taps.weights.assign(std::size_t(to) * std::size_t(taps.stride), 0);
    std::vector<double> tent(static_cast<std::size_t>(most));
    std::vector<int> fixed(static_cast<std::size_t>(most) + 1);
    for (int i = 0; i < to; ++i) {
        const double centre = (i + 0.5) * scale;
        int lo = std::max(0, int(std::floor(centre - reach)));
        int hi = std::min(from, int(std::ceil(centre + reach)));
        for (int s = lo; s < hi; ++s)
            tent[std::size_t(s - lo)] = std::max(0.0, 1.0 - std::abs(s + 0.5 - centre) / reach);
        // Pixels of no weight are left out at either end.
        while (hi - lo > 1 && tent[std::size_t(hi - 1 - lo)] == 0)
            --hi;
        int skip = 0;
        while (hi - lo - skip > 1 && tent[std::size_t(skip)] == 0)
            ++skip;
        const int count = hi - lo - skip;
        double sum = 0;
        for (int k = 0; k < count; ++k)
            sum += tent[std::size_t(k + skip)];
        int total = 0, largest = 0;
        for (int k = 0; k < count; ++k) {
            fixed[std::size_t(k)] =
                int(std::lround(sum > 0 ? tent[std::size_t(k + skip)] / sum * kOne : kOne));
            total += fixed[std::size_t(k)];
            largest = fixed[std::size_t(k)] > fixed[std::size_t(largest)] ? k : largest;
        }
        fixed[std::size_t(largest)] += kOne - total;
        fixed[std::size_t(count)] = 0;
        std::int32_t *words = taps.weights.data() + std::size_t(i) * std::size_t(taps.stride);
        for (int k = 0; k < count; k += 2)
            words[k / 2] = std::int32_t(std::uint32_t(fixed[std::size_t(k)]) |
                                        std::uint32_t(fixed[std::size_t(k) + 1]) << 16);
        taps.first[std::size_t(i)] = lo + skip;
        taps.pairs[std::size_t(i)] = (count + 1) / 2;
    }
    return taps;
}

__m128i widened(const std::uint8_t *bytes)
{
    return _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i *>(bytes)), _mm_setzero_si128());
}

// Rows all alike, as plain ground and upright lines give them, are their own mean: the weights sum to
// exactly one, so the row itself is the weighted sum to the bit.
bool alikeCopied(const std::vector<const uchar *> &rows, int bytes, std::int16_t *column)
{
    const bool alike = std::all_of(rows.begin() + 1, rows.end(), [&](const uchar *line) {
        return std::memcmp(line, rows.front(), std::size_t(bytes)) == 0;
    });
    for (int b = 0; alike && b < bytes; ++b)
        column[b] = std::int16_t(rows.front()[b] << kBetween);
    return alike;
}

// Down the source's rows: every byte of one result row's source rows, weighted, into `column`. Eight bytes at
// a time, two rows to a multiply-add; the bytes past the last whole eight one by one.
void down(const QImage &from, const Taps &taps, int y, std::int16_t *column, std::vector<const uchar *> &rows)
{
    const int bytes = from.width() * 4, pairs = taps.pairs[std::size_t(y)];
    const std::int32_t *words = taps.weights.data() + std::size_t(y) * std::size_t(taps.stride);
    const int first = taps.first[std::size_t(y)], last = from.height() - 1;
    // Looked up once a row: asking the picture for a line in the inner loop took a third of the time.
    rows.resize(std::size_t(pairs) * 2);
    for (int k = 0; k < 2 * pairs; ++k)
        rows[std::size_t(k)] = from.constScanLine(std::min(first + k, last));
    if (alikeCopied(rows, bytes, column))
        return;
    const auto row = [&](int k) { return rows[std::size_t(k)]; };
    const __m128i zero = _mm_setzero_si128(), half = _mm_set1_epi32(1 << (kBits - kBetween - 1));
    const auto rounded = [&](__m128i sum) {
        return _mm_srai_epi32(_mm_add_epi32(sum, half), kBits - kBetween);
    };
    int b = 0;
    // Sixteen bytes at a time first: half the loads and loop steps of eight, the same sums.
    for (; b + 16 <= bytes; b += 16) {
        __m128i sums[4] = {zero, zero, zero, zero};
        for (int p = 0; p < pairs; ++p) {
            const __m128i one = _mm_loadu_si128(reinterpret_cast<const __m128i *>(row(2 * p) + b));
            const __m128i other = _mm_loadu_si128(reinterpret_cast<const __m128i *>(row(2 * p + 1) + b));
            const __m128i weights = _mm_set1_epi32(words[p]);
            const __m128i oneLow = _mm_unpacklo_epi8(one, zero), otherLow = _mm_unpacklo_epi8(other, zero);
            const __m128i oneHigh = _mm_unpackhi_epi8(one, zero), otherHigh = _mm_unpackhi_epi8(other, zero);
            sums[0] = _mm_add_epi32(sums[0], _mm_madd_epi16(_mm_unpacklo_epi16(oneLow, otherLow), weights));
            sums[1] = _mm_add_epi32(sums[1], _mm_madd_epi16(_mm_unpackhi_epi16(oneLow, otherLow), weights));
            sums[2] = _mm_add_epi32(sums[2], _mm_madd_epi16(_mm_unpacklo_epi16(oneHigh, otherHigh), weights));
            sums[3] = _mm_add_epi32(sums[3], _mm_madd_epi16(_mm_unpackhi_epi16(oneHigh, otherHigh), weights));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i *>(column + b),
                         _mm_packs_epi32(rounded(sums[0]), rounded(sums[1])));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(column + b + 8),
                         _mm_packs_epi32(rounded(sums[2]), rounded(sums[3])));
    }
    for (; b + 8 <= bytes; b += 8) {
        __m128i low = _mm_setzero_si128(), high = _mm_setzero_si128();
        for (int p = 0; p < pairs; ++p) {
            const __m128i one = widened(row(2 * p) + b), other = widened(row(2 * p + 1) + b);
            const __m128i weights = _mm_set1_epi32(words[p]);
            low = _mm_add_epi32(low, _mm_madd_epi16(_mm_unpacklo_epi16(one, other), weights));
            high = _mm_add_epi32(high, _mm_madd_epi16(_mm_unpackhi_epi16(one, other), weights));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i *>(column + b),
                         _mm_packs_epi32(rounded(low), rounded(high)));
    }
    for (; b < bytes; ++b) {
        int sum = 0;
        for (int p = 0; p < pairs; ++p)
            sum += std::int16_t(words[p] & 0xffff) * row(2 * p)[b] +
                   std::int16_t(words[p] >> 16) * row(2 * p + 1)[b];
        column[b] = std::int16_t((sum + (1 << (kBits - kBetween - 1))) >> (kBits - kBetween));
    }
}

// Across `column` into one row of the result: each source pixel's four bytes beside the next one's, two
// pixels to a multiply-add. The column has a pixel to spare past its end for an odd last weight.
void across(const std::int16_t *column, const Taps &taps, std::uint8_t *to, int width)
{
    const __m128i half = _mm_set1_epi32(1 << (kBits + kBetween - 1));
    for (int x = 0; x < width; ++x) {
        const std::int32_t *words = taps.weights.data() + std::size_t(x) * std::size_t(taps.stride);
        const std::int16_t *source = column + std::size_t(taps.first[std::size_t(x)]) * 4;
        __m128i sum = _mm_setzero_si128();
        for (int p = 0; p < taps.pairs[std::size_t(x)]; ++p, source += 8) {
            const __m128i two = _mm_loadu_si128(reinterpret_cast<const __m128i *>(source));
            const __m128i paired = _mm_unpacklo_epi16(two, _mm_srli_si128(two, 8));
            sum = _mm_add_epi32(sum, _mm_madd_epi16(paired, _mm_set1_epi32(words[p])));
        }
        sum = _mm_srai_epi32(_mm_add_epi32(sum, half), kBits + kBetween);
        const __m128i packed = _mm_packus_epi16(_mm_packs_epi32(sum, sum), _mm_setzero_si128());
        const std::int32_t pixel = _mm_cvtsi128_si32(packed);
        std::memcpy(to + 4 * x, &pixel, 4);
    }
}

} // namespace

namespace {

void scaleInto(const QImage &from, QImage &target, const QRect &where)
{
    const Taps rows = tapsFor(from.height(), where.height());
    const Taps columns = tapsFor(from.width(), where.width());
    // Two pixels to spare: an odd last weight reads the pixel past the end, with a weight of nothing.
    std::vector<std::int16_t> column(std::size_t(from.width() + 2) * 4, 0), previous = column;
    std::vector<const uchar *> lines;
    const std::size_t rowBytes = std::size_t(where.width()) * 4;
    for (int y = 0; y < where.height(); ++y) {
        down(from, rows, y, column.data(), lines);
        uchar *to = target.scanLine(where.y() + y) + std::size_t(where.x()) * 4;
        // The same column gives the same row: a plain picture's rows are mostly repeats.
        if (y > 0 && column == previous) {
            std::memcpy(to, to - target.bytesPerLine(), rowBytes);
            continue;
        }
        across(column.data(), columns, to, where.width());
        column.swap(previous);
    }
}

} // namespace

QImage smoothScaled(const QImage &picture, QSize size)
{
    const QImage from = picture.convertToFormat(QImage::Format_RGB32);
    if (from.isNull() || size.isEmpty())
        return {};
    if (size == from.size())
        return from;
    QImage out(size, QImage::Format_RGB32);
    if (!out.isNull())
        scaleInto(from, out, out.rect());
    return out;
}

bool smoothScaleInto(const QImage &picture, QImage &target, const QRect &where)
{
    const QImage from = picture.convertToFormat(QImage::Format_RGB32);
    if (from.isNull() || where.isEmpty() || target.format() != QImage::Format_RGB32 ||
        !target.rect().contains(where))
        return false;
    scaleInto(from, target, where);
    return true;
}

} // namespace vellora
