#include "tools/reference-core/scene_layout.h"

#include <algorithm>
#include <numeric>

namespace {

// Frame pixels that land on whole target pixels at this scale: a part scaled from such a column
// or row on has exactly the whole redraw's pixels. A shrunk frame, or one whose pixels seldom
// land on whole target pixels, is redone whole (0).
int AlignedStep(int frame, int target) {
  if (target < frame) return 0;
  const int step = frame / std::gcd(frame, target);
  return step > 25 ? 0 : step;
}

}  // namespace

std::vector<MonitorScene> PlaceOnMonitors(const Rect& window, const std::vector<Rect>& monitors, bool naturalSize) {
  std::vector<Rect> parts;
  for (const Rect& m : monitors) {
    const Rect part{std::max(m.left, window.left), std::max(m.top, window.top), std::min(m.right, window.right),
                    std::min(m.bottom, window.bottom)};
    if (Width(part) > 0 && Height(part) > 0 && std::find(parts.begin(), parts.end(), part) == parts.end())
      parts.push_back(part);
  }
  if (parts.empty()) parts.push_back(window);
  std::vector<MonitorScene> out;
  for (const Rect& part : parts) {
    const Rect local{part.left - window.left, part.top - window.top, part.right - window.left, part.bottom - window.top};
    Placement p = PlaceScene(part.right - part.left, part.bottom - part.top, naturalSize);
    p.x += local.left;
    p.y += local.top;
    const bool whole = p.width < kSceneWidth || p.height < kSceneHeight;
    out.push_back({local, p, whole ? 0 : AlignedStep(kSceneWidth, p.width), whole ? 0 : AlignedStep(kSceneHeight, p.height)});
    if (!out.back().alignX || !out.back().alignY) out.back().alignX = out.back().alignY = 0;
  }
  return out;
}
