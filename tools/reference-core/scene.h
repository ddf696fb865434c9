#pragma once
// The reference core's night scene: the dusk of the program's artwork (a rose sky, the rising
// moon, three ridges of hills) with twinkling stars, a breathing glow round the moon, thin clouds
// drifting past and small lights floating over the valley. Drawn by the program into a frame of a
// fixed size; no windows here, so that the look and the geometry are tested natively.
#include <cstdint>
#include <vector>

constexpr int kSceneWidth = 400;
constexpr int kSceneHeight = 250;

class Scene {
 public:
  Scene();
  // Draws the scene as it is `seconds` after its start into `pixels` (kSceneWidth x kSceneHeight,
  // top row first, premultiplied 0xAARRGGBB). The sky is partly transparent, so that what lies
  // beneath the frame shows through it; the hills and the moon are opaque.
  void Draw(double seconds, std::uint32_t* pixels);

 private:
  struct Star {
    float x, y, brightness, speed, phase;
  };
  std::vector<float> sky_;     // premultiplied r, g, b, a per pixel: gradient and moon disc
  std::vector<float> glow_;    // the moon's glow, 0..1 per pixel
  std::vector<float> ground_;  // premultiplied r, g, b, a per pixel: the hills
  std::vector<Star> stars_;
  std::vector<std::uint32_t> still_;  // the last frame before its stars and lights
  std::vector<bool> stillRows_;       // rows of it that are still right
  float stillBreath_ = -1, stillClouds_[3] = {};
};

// Where the frame goes on a target of the given size: fitted (as large as the frame's proportions
// allow) or at its own size, centred either way.
struct Placement {
  int x, y, width, height;
  friend bool operator==(const Placement&, const Placement&) = default;
};
Placement PlaceScene(int targetWidth, int targetHeight, bool naturalSize);

// The GDI+ InterpolationMode for the settings value: 0 high-quality bicubic, 1 high-quality
// bilinear, 2 bicubic, 3 bilinear, 4 nearest pixel, 5 and anything above it the default.
int ScalingFilter(std::uint8_t interpolationMode);
