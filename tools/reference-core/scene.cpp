#include "tools/reference-core/scene.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kW = kSceneWidth, kH = kSceneHeight;
constexpr float kMoonX = 0.64f * kW, kMoonY = 0.47f * kH, kMoonRadius = 24.0f, kGlowRadius = 58.0f;

struct Color {
  float r, g, b;
};
constexpr Color kMoon{255, 246, 236}, kGlow{255, 226, 210}, kCloud{255, 206, 206}, kLight{255, 222, 168};

float Clamp01(float v) { return std::min(1.0f, std::max(0.0f, v)); }

// The sky's colour down the frame: the artwork's dusk, darker at the top where the stars are.
Color SkyAt(float y) {
  struct Stop {
    float at;
    Color color;
  };
  static constexpr Stop stops[] = {{0.0f, {36, 22, 50}},
                                   {0.30f, {76, 46, 76}},
                                   {0.50f, {190, 112, 116}},
                                   {0.68f, {246, 212, 196}}};
  const float t = y / kH;
  if (t <= stops[0].at) return stops[0].color;
  for (size_t i = 1; i < std::size(stops); ++i) {
    if (t <= stops[i].at) {
      const float k = (t - stops[i - 1].at) / (stops[i].at - stops[i - 1].at);
      const Color& a = stops[i - 1].color;
      const Color& b = stops[i].color;
      return {a.r + (b.r - a.r) * k, a.g + (b.g - a.g) * k, a.b + (b.b - a.b) * k};
    }
  }
  return stops[std::size(stops) - 1].color;
}

// A small deterministic generator: the same sky at every start and in every test.
class Random {
 public:
  float Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<float>(state_ >> 8) / 16777216.0f;
  }

 private:
  std::uint32_t state_ = 20261207u;
};

// Premultiplied 0..255 channels in, one packed pixel out.
std::uint32_t Pack(float r, float g, float b, float a) {
  const float alpha = std::min(255.0f, std::max(0.0f, a));
  auto channel = [alpha](float v) { return static_cast<std::uint32_t>(std::min(alpha, std::max(0.0f, v)) + 0.5f); };
  return static_cast<std::uint32_t>(alpha + 0.5f) << 24 | channel(r) << 16 | channel(g) << 8 | channel(b);
}

// Adds light of the given colour and strength (0..1) to a packed pixel: it brightens and makes
// the pixel more opaque, as a light in front of the background would.
void AddLight(std::uint32_t& pixel, const Color& c, float strength) {
  if (strength <= 0.0f) return;
  const float a = static_cast<float>(pixel >> 24), r = static_cast<float>(pixel >> 16 & 255),
              g = static_cast<float>(pixel >> 8 & 255), b = static_cast<float>(pixel & 255);
  const float k = 1.0f - strength;
  pixel = Pack(c.r * strength + r * k, c.g * strength + g * k, c.b * strength + b * k, 255 * strength + a * k);
}

}  // namespace

Scene::Scene() : sky_(kW * kH * 4), glow_(kW * kH), ground_(kW * kH * 4, 0.0f), still_(kW * kH), stillRows_(kH) {
  // Three ridges as in the artwork, far to near, each a sine over the width.
  struct Ridge {
    float base, amplitude, phase, period;
    Color color;
  };
  static constexpr Ridge ridges[] = {{0.66f, 0.05f, 9, 0.9f, {184, 110, 120}},
                                     {0.76f, 0.06f, 31, 1.2f, {128, 62, 80}},
                                     {0.88f, 0.05f, 52, 1.6f, {82, 36, 54}}};
  const float unit = kH / 70.0f;
  for (int y = 0; y < kH; ++y) {
    const Color sky = SkyAt(static_cast<float>(y));
    // Thinner at the top, so the background shows through the night more than through the dusk.
    const float alpha = 0.78f + 0.16f * static_cast<float>(y) / kH;
    for (int x = 0; x < kW; ++x) {
      const size_t i = static_cast<size_t>(y) * kW + x;
      const float dx = x + 0.5f - kMoonX, dy = y + 0.5f - kMoonY, d = std::sqrt(dx * dx + dy * dy);
      const float disc = Clamp01(kMoonRadius - d + 0.5f);
      const float a = alpha + (1.0f - alpha) * disc;
      sky_[i * 4 + 0] = sky.r * alpha * (1 - disc) + kMoon.r * disc;
      sky_[i * 4 + 1] = sky.g * alpha * (1 - disc) + kMoon.g * disc;
      sky_[i * 4 + 2] = sky.b * alpha * (1 - disc) + kMoon.b * disc;
      sky_[i * 4 + 3] = 255 * a;
      glow_[i] = std::exp(-(d * d) / (kGlowRadius * kGlowRadius)) * (1 - disc);
      for (const Ridge& ridge : ridges) {
        const float top = ridge.base * kH - ridge.amplitude * kH *
                          static_cast<float>(std::sin((x + ridge.phase * unit) * 2 * kPi / (ridge.period * kW)));
        const float cover = Clamp01(static_cast<float>(y) + 1.0f - top);
        for (int c = 0; c < 3; ++c) {
          const float value = c == 0 ? ridge.color.r : c == 1 ? ridge.color.g : ridge.color.b;
          ground_[i * 4 + c] = value * cover + ground_[i * 4 + c] * (1 - cover);
        }
        ground_[i * 4 + 3] = cover + ground_[i * 4 + 3] * (1 - cover);
      }
    }
  }
  Random random;
  while (stars_.size() < 90) {
    const float x = random.Next() * kW, y = random.Next() * kH * 0.58f;
    const float dx = x - kMoonX, dy = y - kMoonY;
    const size_t i = static_cast<size_t>(y) * kW + static_cast<size_t>(x);
    const float brightness = 0.35f + 0.65f * random.Next(), speed = 0.7f + 1.8f * random.Next();
    const float phase = random.Next() * 6.2832f;
    if (dx * dx + dy * dy < 50.0f * 50.0f || ground_[i * 4 + 3] > 0.0f) continue;
    stars_.push_back({x, y, brightness, speed, phase});
  }
}

void Scene::Draw(double seconds, std::uint32_t* pixels) {
  const float t = static_cast<float>(seconds);
  // Slow changes move in small steps rather than a little every frame: a frame then differs from
  // the last only where something visibly moved, and only that is scaled to the screen again.
  auto steps = [](float v, float per) { return std::round(v * per) / per; };
  const float breath = steps(0.62f + 0.38f * static_cast<float>(std::sin(t * 2 * kPi / 7.0)), 16);
  // Thin clouds drifting right at a walking pace, wrapping round.
  struct Cloud {
    float x, y, halfWidth, halfHeight, alpha;
  };
  Cloud clouds[3];
  const float cloudRows[3][4] = {{0.20f, 70, 5, 3.1f}, {0.35f, 90, 6, 4.3f}, {0.45f, 60, 4, 5.7f}};
  for (int c = 0; c < 3; ++c) {
    const float span = kW + 2 * cloudRows[c][1];
    const float x = steps(std::fmod(cloudRows[c][3] * t + c * 150.0f, span) - cloudRows[c][1], 1);
    clouds[c] = {x, cloudRows[c][0] * kH, cloudRows[c][1], cloudRows[c][2], 0.16f + 0.04f * c};
  }
  // A row of sky, glow, clouds and hills changes only with the breath and the clouds that cross
  // it: kept from the last frame otherwise.
  if (breath != stillBreath_) std::fill(stillRows_.begin(), stillRows_.end(), false);
  stillBreath_ = breath;
  for (int c = 0; c < 3; ++c) {
    for (int y = 0; y < kH && clouds[c].x != stillClouds_[c]; ++y) {
      const float v = (y - clouds[c].y) / clouds[c].halfHeight;  // as in the cloud's test below
      if (v * v < 4.0f) stillRows_[y] = false;
    }
    stillClouds_[c] = clouds[c].x;
  }
  for (int y = 0; y < kH; ++y) {
    std::uint32_t* row = pixels + static_cast<size_t>(y) * kW;
    std::uint32_t* still = still_.data() + static_cast<size_t>(y) * kW;
    if (stillRows_[y]) {
      std::copy(still, still + kW, row);
      continue;
    }
    for (int x = 0; x < kW; ++x) {
      const size_t i = static_cast<size_t>(y) * kW + x;
      float r = sky_[i * 4], g = sky_[i * 4 + 1], b = sky_[i * 4 + 2], a = sky_[i * 4 + 3];
      auto over = [&](const Color& c, float k) {
        r = c.r * k + r * (1 - k);
        g = c.g * k + g * (1 - k);
        b = c.b * k + b * (1 - k);
        a = 255 * k + a * (1 - k);
      };
      over(kGlow, glow_[i] * 0.7f * breath);
      for (const Cloud& cloud : clouds) {
        const float u = (x - cloud.x) / cloud.halfWidth, v = (y - cloud.y) / cloud.halfHeight;
        if (u * u + v * v < 4.0f) over(kCloud, cloud.alpha * std::exp(-(u * u + v * v) * 1.5f));
      }
      const float cover = ground_[i * 4 + 3];
      if (cover > 0.0f) {
        r = ground_[i * 4] + r * (1 - cover);
        g = ground_[i * 4 + 1] + g * (1 - cover);
        b = ground_[i * 4 + 2] + b * (1 - cover);
        a = 255 * cover + a * (1 - cover);
      }
      pixels[i] = Pack(r, g, b, a);
    }
    std::copy(row, row + kW, still);
    stillRows_[y] = true;
  }
  for (const Star& star : stars_) {
    const float twinkle = 0.55f + 0.45f * static_cast<float>(std::sin(star.speed * t + star.phase));
    const float light = steps(star.brightness * twinkle * twinkle, 16);
    const int sx = static_cast<int>(star.x), sy = static_cast<int>(star.y);
    AddLight(pixels[sy * kW + sx], kMoon, light);
    if (star.brightness > 0.85f) {
      const int around[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
      for (const auto& o : around) {
        const int nx = sx + o[0], ny = sy + o[1];
        if (nx >= 0 && nx < kW && ny >= 0 && ny < kH) AddLight(pixels[ny * kW + nx], kMoon, light * 0.35f);
      }
    }
  }
  // Lights rising slowly from the valley, swaying, fading in and out over their climb.
  Random random;
  for (int n = 0; n < 14; ++n) {
    const float period = 9.0f + 6.0f * random.Next(), start = random.Next() * period;
    const float baseX = random.Next() * kW, sway = 6.0f + 10.0f * random.Next();
    const float u = std::fmod(t + start, period) / period;
    const float lx = steps(baseX + sway * static_cast<float>(std::sin(t * 0.5f + n)), 2);
    const float ly = steps(kH * (0.97f - 0.32f * u), 2);
    const float strength = steps(0.85f * static_cast<float>(std::sin(kPi * u)), 16);
    for (int y = static_cast<int>(ly) - 4; y <= static_cast<int>(ly) + 4; ++y) {
      for (int x = static_cast<int>(lx) - 4; x <= static_cast<int>(lx) + 4; ++x) {
        if (x < 0 || x >= kW || y < 0 || y >= kH) continue;
        const float dx = x + 0.5f - lx, dy = y + 0.5f - ly;
        AddLight(pixels[y * kW + x], kLight, strength * std::exp(-(dx * dx + dy * dy) / 2.4f));
      }
    }
  }
}

Placement PlaceScene(int targetWidth, int targetHeight, bool naturalSize) {
  int width = kW, height = kH;
  if (!naturalSize) {
    // The larger scale that keeps the whole frame on the target, in whole pixels.
    if (static_cast<long long>(targetWidth) * kH <= static_cast<long long>(targetHeight) * kW) {
      width = targetWidth;
      height = static_cast<int>((static_cast<long long>(targetWidth) * kH + kW / 2) / kW);
    } else {
      height = targetHeight;
      width = static_cast<int>((static_cast<long long>(targetHeight) * kW + kH / 2) / kH);
    }
  }
  return {(targetWidth - width) / 2, (targetHeight - height) / 2, width, height};
}

int ScalingFilter(std::uint8_t interpolationMode) {
  // GDI+ InterpolationMode values: HighQualityBicubic 7, HighQualityBilinear 6, Bicubic 4,
  // Bilinear 3, NearestNeighbor 5, Default 0.
  static constexpr int filters[] = {7, 6, 4, 3, 5, 0};
  return interpolationMode < std::size(filters) ? filters[interpolationMode] : 0;
}
