#include "controls/control_model.h"

#include "controls/tip_placement.h"

// Every handler runs its steps with failures skipped: a step whose arithmetic overflows is not
// taken and the next one runs.

namespace {

// The following tip's place for the cursor.
std::optional<Point> FollowingTip(Point cursor, std::int32_t halfTipWidth, int dpi) {
  const std::optional<std::int32_t> x = CheckedSum(cursor.x, Scale(kTipOffset.x, dpi), -halfTipWidth),
                                    y = CheckedSum(cursor.y, Scale(kTipOffset.y, dpi));
  if (!x || !y) return std::nullopt;
  return Point{*x, *y};
}

}  // namespace

SkinFrame FrameFor(bool pressed, bool hover) {
  if (pressed && hover) return SkinFrame::Pressed;
  if (pressed || hover) return SkinFrame::Hover;
  return SkinFrame::Normal;
}

bool ControlModel::Inside(float x, float y) {
  return x > -1 && y > -1 && x < host_.InnerWidth() && y < host_.InnerHeight();
}

void ControlModel::Lose() {
  hover_ = false;
  pressed_ = false;
}

void ControlModel::MouseDown(MouseMask button, MouseMask shift, float x, float y) {
  lastButton_ = button;
  lastShift_ = shift;
  if (button == 1) {
    pressed_ = true;
    hover_ = true;
    host_.Redraw();
  }
  host_.FocusForm();
  host_.HideTip();
  host_.RaiseMouseDown(button, shift, x, y);  // last step: nothing after it
}

// The second press of a double click presses the control again, so its release clicks again.
void ControlModel::DoubleClick() { MouseDown(lastButton_, lastShift_, 0, 0); }

void ControlModel::MouseMove(MouseMask button, MouseMask shift, float x, float y) {
  if (!host_.RaiseMouseMove(button, shift, x, y)) return;
  if (pressed_ && !host_.CaptureIsOurs()) Lose();  // the press was lost
  if (button == 0 && pressed_) pressed_ = false;  // released where we did not see it

  if (Inside(x, y)) {
    MoveSteps(button, x, y);
  } else {
    hover_ = false;
    if (button == 0) {
      host_.ReleaseCapture();
      if (!trackTipText_.empty()) host_.HideTip();
    }
    host_.Redraw();
  }

  // Holding the capture while hovering is how the control sees the pointer leave: the next move
  // outside still comes here and fails the inside test.
  if (style_ == TipStyle::FollowCursor && hover_) host_.TakeCapture();
}

void ControlModel::MoveSteps(MouseMask button, float x, float y) {
  Point cursor;
  Rect rect;
  if (style_ == TipStyle::FollowCursor) {
    cursor = host_.CursorPos();
  } else {
    rect = host_.WindowRect();
  }

  if (button != 0 && !pressed_ && !hover_) return;  // a drag that began elsewhere

  if (button == 0 && !host_.CaptureIsOurs()) host_.TakeCapture();
  host_.SetHandPointer();

  bool covered = false;
  std::optional<std::int32_t> probeX = cursor.x, probeY = cursor.y;
  if (style_ == TipStyle::Anchored) {
    probeX = RoundHalfEven(static_cast<double>(rect.left) + x);
    probeY = RoundHalfEven(static_cast<double>(rect.top) + y);
  }
  if (probeX && probeY) {
    const WindowId at = host_.WindowAt({*probeX, *probeY});
    // The anchored tip may lie over the control; the pointer on it still hovers the control.
    covered = at != host_.OwnWindow() && (style_ == TipStyle::FollowCursor || at != ownTipWindow_);
  }
  if (covered) {  // another window covers the control here: that counts as leaving
    hover_ = false;
    if (!trackTipText_.empty()) host_.HideTip();
    if (button == 0) host_.ReleaseCapture();
    host_.Redraw();
    return;
  }

  if (!hover_) {  // entering
    const bool showTip = !trackTipText_.empty() && button == 0 && !pressed_;
    if (showTip) ShowTipHere(trackTipText_);
    if (style_ == TipStyle::Anchored) ownTipWindow_ = showTip ? host_.TipWindow() : 0;
    hover_ = true;
    host_.Redraw();
  } else if (style_ == TipStyle::FollowCursor && button == 0 && !pressed_) {
    if (const std::optional<Point> tip = FollowingTip(cursor, halfTipWidth_, host_.Dpi())) host_.MoveTip(tip->x, tip->y);
  }
}

void ControlModel::ShowTipHere(const Text& text) {
  if (style_ == TipStyle::FollowCursor) {
    const Point cursor = host_.CursorPos();
    halfTipWidth_ = HalfWidth(host_.TextWidth(text));
    if (const std::optional<Point> tip = FollowingTip(cursor, halfTipWidth_, host_.Dpi())) host_.ShowTip(text, tip->x, tip->y, true);
  } else {
    const Rect rect = host_.WindowRect();
    if (const std::optional<std::int32_t> tipX = CheckedSum(rect.left, Scale(16, host_.Dpi()))) host_.ShowTip(text, *tipX, rect.top, false);
  }
}

void ControlModel::MouseUp(MouseMask button, MouseMask shift, float x, float y) {
  if (pressed_) {
    Lose();
    host_.Redraw();
    if (button == 1 && Inside(x, y)) {
      host_.ClickChangesValue();
      if (!host_.RaiseClick()) return;
      // The form's Click may have taken the capture away (a message box, say).
      if (!host_.CaptureIsOurs()) {
        Lose();
        host_.Redraw();
        if (!trackTipText_.empty()) host_.HideTip();
      }
    }
  } else if (button != 1) {
    Lose();
    host_.Redraw();
  }
  host_.RaiseMouseUp(button, shift, x, y);
}

void ControlModel::SetTrackTipText(const Text& text) {
  const Text old = trackTipText_;
  if (old.empty() && !text.empty() && hover_ && !pressed_) {
    trackTipText_ = text;
    ShowTipHere(text);  // the tip shows at once under a pointer that already hovers
    return;
  }
  if (hover_ && !pressed_ && text.empty() && !old.empty()) host_.HideTip();
  trackTipText_ = text;
}
