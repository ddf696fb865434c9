#include "controls/window_tip.h"

#include "base/dpi.h"
#include "controls/tip_placement.h"

const char16_t* const kEmptyPathTip = u"경로를 지정해주세요";

namespace {

// The tip's place for a pointer at (x, y) on the owner; nothing when a sum overflows.
std::optional<Point> TipPosition(const TrackTipRecord& s, std::int32_t x, std::int32_t y) {
  const std::optional<std::int32_t> anchor = CheckedSum(s.Left, x, Scale(kTipOffset.x, s.Dpi)),
                                    top = CheckedSum(s.Top, y, Scale(kTipOffset.y, s.Dpi));
  const std::optional<std::int32_t> left = anchor ? RoundHalfEven(*anchor - s.TextWidth / 2.0) : std::nullopt;
  if (!left || !top) return std::nullopt;
  return Point{*left, *top};
}

void Deactivate(TrackTipRecord& s, WindowTipPlatform& platform) {
  s.Active = false;
  if (platform.TipWindow() == s.TipWnd) platform.HideTip();
  s.OwnerWnd = 0;
  s.Text.clear();
}

// False when a step failed: the tracker stops there.
bool Update(TrackTipRecord& s, WindowTipPlatform& platform, WindowId owner, std::uint8_t button,
            Text text, bool refresh, std::int32_t x, std::int32_t y) {
  if (!s.Active || owner != s.OwnerWnd) {
    if (button != 0 || refresh) return true;
    s.Text.clear();
    Rect r;
    if (owner != 0 && platform.OwnerRect(owner, r)) {
      s.Left = r.left;
      s.Top = r.top;
      s.Right = r.right;
      s.Bottom = r.bottom;
      s.Dpi = platform.OwnerDpi(owner);
    }
    s.Active = true;
    s.OwnerWnd = owner;
  } else if (button != 0) {
    Deactivate(s, platform);  // a button went down on the owner
    return true;
  }

  const std::optional<std::int32_t> atX = CheckedSum(s.Left, x), atY = CheckedSum(s.Top, y);
  if (!atX || !atY) return false;
  const WindowId found = platform.WindowAt({*atX, *atY});
  const bool inside = x <= static_cast<std::int64_t>(s.Right) - s.Left &&
                      (found == owner || found == platform.TipWindow()) && x >= 0 && y >= 0 &&
                      y <= static_cast<std::int64_t>(s.Bottom) - s.Top;
  if (!inside) {
    Deactivate(s, platform);
    return true;
  }

  if (text.empty()) text = kEmptyPathTip;

  if (s.Text.empty()) {  // first show
    if (platform.TipWindow() == s.TipWnd) platform.HideTip();
    s.TextWidth = platform.MeasureText(text, s.Dpi);
    s.Text = text;
    const std::optional<Point> p = TipPosition(s, x, y);
    if (!p || !platform.ShowTip(text, owner, p->x, p->y, s.Dpi)) return false;
    s.TipWnd = platform.TipWindow();
    s.LastX = x;
    s.LastY = y;
    return true;
  }

  if (text == s.Text && !refresh) {
    if (x == s.LastX && y == s.LastY) return true;
    const std::optional<Point> p = TipPosition(s, x, y);
    if (!p || !platform.MoveTip(text, p->x, p->y)) return false;
    s.LastX = x;
    s.LastY = y;
    return true;
  }

  s.TextWidth = platform.MeasureText(text, s.Dpi);
  s.Text = text;
  if (refresh) {
    x = s.LastX;
    y = s.LastY;
  }
  const std::optional<Point> p = TipPosition(s, x, y);
  if (!p || !platform.MoveTip(text, p->x, p->y)) return false;
  s.LastX = x;
  s.LastY = y;
  return true;
}

}  // namespace

void UpdateWindowTip(TrackTipRecord& state, WindowTipPlatform& platform, WindowId owner,
                     std::uint8_t button, const Text& text, bool refresh, std::int32_t x,
                     std::int32_t y) {
  if (!Update(state, platform, owner, button, text, refresh, x, y) && state.Active) {
    state.OwnerWnd = 0;
    state.Active = false;
  }
}
