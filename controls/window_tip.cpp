#include "controls/window_tip.h"

#include "controls/tip_placement.h"

const char16_t* const kEmptyPathTip = u"경로를 지정해주세요";

namespace {

ScreenPoint TipPosition(const TrackTipRecord& s, std::int32_t x, std::int32_t y) {
  // The tip's middle about 15 pixels right of the pointer, its top 25 pixels below.
  const std::int32_t anchor = CheckedSum(s.Left, x, 15);
  return {RoundHalfEven(anchor - s.TextWidth / 2.0), CheckedSum(s.Top, y, 25)};
}

void Deactivate(TrackTipRecord& s, WindowTipPlatform& platform) {
  s.Active = false;
  if (platform.TipWindow() == s.TipWnd) platform.HideTip();
  s.OwnerWnd = 0;
  s.Text.clear();
}

void Update(TrackTipRecord& s, WindowTipPlatform& platform, WindowId owner, std::uint8_t button,
            Text text, bool refresh, std::int32_t x, std::int32_t y) {
  if (!s.Active || owner != s.OwnerWnd) {
    if (button != 0 || refresh) return;
    s.Text.clear();
    ScreenRect r;
    if (owner != 0 && platform.OwnerRect(owner, r)) {
      s.Left = r.left;
      s.Top = r.top;
      s.Right = r.right;
      s.Bottom = r.bottom;
    }
    s.Active = true;
    s.OwnerWnd = owner;
  } else if (button != 0) {
    Deactivate(s, platform);  // a button went down on the owner
    return;
  }

  const WindowId found = platform.WindowAt({CheckedSum(s.Left, x), CheckedSum(s.Top, y)});
  const bool inside = x <= static_cast<std::int64_t>(s.Right) - s.Left &&
                      (found == owner || found == platform.TipWindow()) && x >= 0 && y >= 0 &&
                      y <= static_cast<std::int64_t>(s.Bottom) - s.Top;
  if (!inside) {
    Deactivate(s, platform);
    return;
  }

  if (text.empty()) text = kEmptyPathTip;

  if (s.Text.empty()) {  // first show
    if (platform.TipWindow() == s.TipWnd) platform.HideTip();
    s.TextWidth = platform.MeasureText(text);
    s.Text = text;
    const ScreenPoint p = TipPosition(s, x, y);
    platform.ShowTip(text, owner, p.x, p.y);
    s.TipWnd = platform.TipWindow();
    s.LastX = x;
    s.LastY = y;
    return;
  }

  if (text == s.Text && !refresh) {
    if (x == s.LastX && y == s.LastY) return;
    const ScreenPoint p = TipPosition(s, x, y);
    platform.MoveTip(text, p.x, p.y);
    s.LastX = x;
    s.LastY = y;
    return;
  }

  s.TextWidth = platform.MeasureText(text);
  s.Text = text;
  if (refresh) {
    x = s.LastX;
    y = s.LastY;
  }
  const ScreenPoint p = TipPosition(s, x, y);
  platform.MoveTip(text, p.x, p.y);
  s.LastX = x;
  s.LastY = y;
}

}  // namespace

void UpdateWindowTip(TrackTipRecord& state, WindowTipPlatform& platform, WindowId owner,
                     std::uint8_t button, const Text& text, bool refresh, std::int32_t x,
                     std::int32_t y) {
  try {
    Update(state, platform, owner, button, text, refresh, x, y);
  } catch (...) {
    if (state.Active) {
      state.OwnerWnd = 0;
      state.Active = false;
    }
  }
}
