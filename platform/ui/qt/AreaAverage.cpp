// Area-averaging reduction in fixed point. Rows are reduced first (every source row is read once
// and added, weighted, into one accumulator row per target row), then columns.
#include "platform/ui/qt/AreaAverage.h"

#include <QtGlobal>
#include <algorithm>
#include <cstdint>
#include <vector>

namespace ui::detail {
namespace {

// The weights of one target pixel add up to 1 << kWeightBits.
constexpr int kWeightBits = 12;

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "32-bit pixels are read as blue, green, red");

// The source pixels one target pixel covers: the first, and the weight of each from there.
struct Span {
    int first = 0;
    std::vector<uint32_t> weights;
};

// The weight of the part [0, position) of a target pixel `source` units long, rounded; taking
// differences of it makes every span's weights add up exactly.
int64_t CumulativeWeight(int64_t position, int64_t source) {
    return (position * (int64_t{2} << kWeightBits) + source) / (2 * source);
}

// The spans of `target` pixels over `source` pixels (target <= source). In the units used here
// a source pixel is `target` long and a target pixel `source` long.
std::vector<Span> Spans(int source, int target) {
    std::vector<Span> spans(target);
    for (int t = 0; t < target; ++t) {
        const int64_t begin = int64_t{t} * source;
        const int64_t end = begin + source;
        Span& span = spans[t];
        span.first = static_cast<int>(begin / target);
        const int last = static_cast<int>((end - 1) / target);
        for (int s = span.first; s <= last; ++s) {
            const int64_t from = std::max(begin, int64_t{s} * target) - begin;
            const int64_t to = std::min(end, int64_t{s + 1} * target) - begin;
            span.weights.push_back(static_cast<uint32_t>(CumulativeWeight(to, source) -
                                                         CumulativeWeight(from, source)));
        }
    }
    return spans;
}

}  // namespace

bool CanShrinkByAreaAverage(const QImage& source, int width, int height) {
    const bool format =
        source.format() == QImage::Format_BGR888 || source.format() == QImage::Format_RGB32;
    return format && width > 0 && height > 0 && width <= source.width() &&
           height <= source.height();
}

QImage ShrinkByAreaAverage(const QImage& source, int width, int height) {
    const int bytesPerPixel = source.depth() / 8;
    const std::vector<Span> columns = Spans(source.width(), width);
    const std::vector<Span> rows = Spans(source.height(), height);
    const size_t rowBytes = static_cast<size_t>(source.width()) * bytesPerPixel;
    // Each channel value times the row weights: at most 255 << kWeightBits.
    std::vector<uint32_t> accumulated(rowBytes);
    QImage target(width, height, QImage::Format_BGR888);
    for (int y = 0; y < height; ++y) {
        std::fill(accumulated.begin(), accumulated.end(), 0);
        const Span& rowSpan = rows[y];
        for (size_t k = 0; k < rowSpan.weights.size(); ++k) {
            const uchar* line = source.constScanLine(rowSpan.first + static_cast<int>(k));
            const uint32_t weight = rowSpan.weights[k];
            for (size_t i = 0; i < rowBytes; ++i) {
                accumulated[i] += line[i] * weight;
            }
        }
        uchar* out = target.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const Span& columnSpan = columns[x];
            const uint32_t* pixel =
                accumulated.data() + static_cast<size_t>(columnSpan.first) * bytesPerPixel;
            // Dropping 8 bits first keeps the column sums within 32 bits: value << 16 at most.
            uint32_t sums[3] = {0, 0, 0};
            for (uint32_t weight : columnSpan.weights) {
                for (int channel = 0; channel < 3; ++channel) {
                    sums[channel] += (pixel[channel] >> 8) * weight;
                }
                pixel += bytesPerPixel;
            }
            for (int channel = 0; channel < 3; ++channel) {
                out[x * 3 + channel] = static_cast<uchar>((sums[channel] + (1u << 15)) >> 16);
            }
        }
    }
    return target;
}

}  // namespace ui::detail
