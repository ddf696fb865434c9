#include "ui/picture_scale.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <vector>

namespace {

constexpr unsigned kSteps[] = {96, 120, 144, 168, 192};

// One source pixel's share in a target pixel along one axis.
struct Tap {
  int index;
  double weight;
};

// For each of `to` target pixels along an axis of `from` source pixels, its source pixels.
std::vector<std::vector<Tap>> AxisTaps(int from, int to) {
  std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(to));
  for (int i = 0; i < to; ++i) {
    auto& out = taps[static_cast<std::size_t>(i)];
    if (to <= from) {
      // Target pixel i covers [i * from, (i + 1) * from) in units where a source pixel is `to` long.
      const long long lo = static_cast<long long>(i) * from, hi = lo + from;
      for (long long j = lo / to; j * to < hi; ++j) {
        const long long overlap = std::min(hi, (j + 1) * to) - std::max(lo, j * to);
        out.push_back({static_cast<int>(j), static_cast<double>(overlap) / from});
      }
    } else {
      const double x = std::clamp((i + 0.5) * from / to - 0.5, 0.0, static_cast<double>(from - 1));
      const int j = static_cast<int>(x);
      const double t = x - j;
      out.push_back({j, 1.0 - t});
      if (t > 0) out.push_back({j + 1, t});
    }
  }
  return taps;
}

struct Premultiplied {
  double a = 0, r = 0, g = 0, b = 0;

  static Premultiplied From(std::uint32_t argb) {
    const double a = argb >> 24;
    auto c = [a](std::uint32_t v) { return (v & 0xFFu) * a / 255.0; };
    return {a, c(argb >> 16), c(argb >> 8), c(argb)};
  }
  void Add(const Premultiplied& p, double weight) {
    a += p.a * weight, r += p.r * weight, g += p.g * weight, b += p.b * weight;
  }
  std::uint32_t Straight() const {
    auto byte = [](double v) { return static_cast<std::uint32_t>(std::clamp(std::lround(v), 0L, 255L)); };
    const std::uint32_t alpha = byte(a);
    if (alpha == 0) return 0;
    return alpha << 24 | byte(r * 255 / a) << 16 | byte(g * 255 / a) << 8 | byte(b * 255 / a);
  }
};

}  // namespace

std::optional<SheetSize> ScaledSheetSize(int width, int height, CellGrid cells, unsigned dpi) {
  if (cells.columns <= 0 || cells.rows <= 0 || width <= 0 || height <= 0) return std::nullopt;
  if (width % cells.columns != 0 || height % cells.rows != 0) return std::nullopt;
  // Scale stops at the 32-bit limits, far past the largest picture.
  const std::int32_t cellWidth = Scale(width / cells.columns, static_cast<int>(dpi));
  const std::int32_t cellHeight = Scale(height / cells.rows, static_cast<int>(dpi));
  if (cellWidth <= 0 || cellHeight <= 0) return std::nullopt;
  const long long w = static_cast<long long>(cellWidth) * cells.columns;
  const long long h = static_cast<long long>(cellHeight) * cells.rows;
  if (w > kMaxDibSide || h > kMaxDibSide) return std::nullopt;
  return SheetSize{static_cast<int>(w), static_cast<int>(h), cellWidth, cellHeight};
}

unsigned ArtworkStep(unsigned dpi) {
  for (unsigned step : kSteps) {
    if (dpi <= step) return step;
  }
  return kSteps[std::size(kSteps) - 1];
}

std::optional<DibPixels> ResizeCells(const DibPixels& source, CellGrid cells, int cellWidth, int cellHeight) {
  if (cells.columns <= 0 || cells.rows <= 0 || cellWidth <= 0 || cellHeight <= 0) return std::nullopt;
  if (source.width <= 0 || source.height <= 0 || source.width % cells.columns != 0 ||
      source.height % cells.rows != 0 ||
      source.argb.size() != static_cast<std::size_t>(source.width) * static_cast<std::size_t>(source.height))
    return std::nullopt;
  const long long width = static_cast<long long>(cellWidth) * cells.columns;
  const long long height = static_cast<long long>(cellHeight) * cells.rows;
  if (width > kMaxDibSide || height > kMaxDibSide) return std::nullopt;

  const int fromWidth = source.width / cells.columns, fromHeight = source.height / cells.rows;
  const auto across = AxisTaps(fromWidth, cellWidth), down = AxisTaps(fromHeight, cellHeight);
  DibPixels out;
  out.width = static_cast<int>(width);
  out.height = static_cast<int>(height);
  out.argb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  const auto at = [](int x, int y, int stride) { return static_cast<std::size_t>(y) * stride + x; };
  std::vector<Premultiplied> rows(static_cast<std::size_t>(cellWidth) * fromHeight);  // one cell, resized across
  for (int cy = 0; cy < cells.rows; ++cy) {
    for (int cx = 0; cx < cells.columns; ++cx) {
      for (int y = 0; y < fromHeight; ++y) {
        for (int x = 0; x < cellWidth; ++x) {
          Premultiplied sum;
          for (const Tap& t : across[static_cast<std::size_t>(x)])
            sum.Add(Premultiplied::From(source.argb[at(cx * fromWidth + t.index, cy * fromHeight + y, source.width)]),
                    t.weight);
          rows[at(x, y, cellWidth)] = sum;
        }
      }
      for (int y = 0; y < cellHeight; ++y) {
        for (int x = 0; x < cellWidth; ++x) {
          Premultiplied sum;
          for (const Tap& t : down[static_cast<std::size_t>(y)]) sum.Add(rows[at(x, t.index, cellWidth)], t.weight);
          out.argb[at(cx * cellWidth + x, cy * cellHeight + y, out.width)] = sum.Straight();
        }
      }
    }
  }
  return out;
}
