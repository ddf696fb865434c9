#include "controls/control_model.h"

#include "controls/tip_placement.h"

namespace {

// Every handler step runs with errors ignored: a failing step is skipped and the next one runs.
template <class F>
void Step(F&& step) {
  try {
    step();
  } catch (...) {
  }
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
    Step([&] { host_.Redraw(); });
  }
  Step([&] { host_.FocusForm(); });
  Step([&] { host_.HideTip(); });
  Step([&] { host_.RaiseMouseDown(button, shift, x, y); });  // last step: nothing after it
}

// The second press of a double click presses the control again, so its release clicks again.
void ControlModel::DoubleClick() { MouseDown(lastButton_, lastShift_, 0, 0); }

void ControlModel::MouseMove(MouseMask button, MouseMask shift, float x, float y) {
  bool alive = true;
  Step([&] { alive = host_.RaiseMouseMove(button, shift, x, y); });
  if (!alive) return;
  Step([&] {
    if (pressed_ && !host_.CaptureIsOurs()) Lose();  // the press was lost
  });
  if (button == 0 && pressed_) pressed_ = false;  // released where we did not see it

  if (Inside(x, y)) {
    MoveSteps(button, x, y);
  } else {
    hover_ = false;
    if (button == 0) {
      Step([&] { host_.ReleaseCapture(); });
      if (!trackTipText_.empty()) Step([&] { host_.HideTip(); });
    }
    Step([&] { host_.Redraw(); });
  }

  // Holding the capture while hovering is how the control sees the pointer leave: the next move
  // outside still comes here and fails the inside test.
  if (style_ == TipStyle::FollowCursor && hover_) Step([&] { host_.TakeCapture(); });
}

void ControlModel::MoveSteps(MouseMask button, float x, float y) {
  ScreenPoint cursor;
  ScreenRect rect;
  if (style_ == TipStyle::FollowCursor) {
    Step([&] { cursor = host_.CursorPos(); });
  } else {
    Step([&] { rect = host_.WindowRect(); });
  }

  if (button != 0 && !pressed_ && !hover_) return;  // a drag that began elsewhere

  Step([&] {
    if (button == 0 && !host_.CaptureIsOurs()) host_.TakeCapture();
  });
  Step([&] { host_.SetHandPointer(); });

  bool covered = false;
  Step([&] {
    ScreenPoint probe = cursor;
    if (style_ == TipStyle::Anchored) {
      probe = {RoundHalfEven(static_cast<double>(rect.left) + x), RoundHalfEven(static_cast<double>(rect.top) + y)};
    }
    const WindowId at = host_.WindowAt(probe);
    // The anchored tip may lie over the control; the pointer on it still hovers the control.
    covered = at != host_.OwnWindow() && (style_ == TipStyle::FollowCursor || at != ownTipWindow_);
  });
  if (covered) {  // another window covers the control here: that counts as leaving
    hover_ = false;
    if (!trackTipText_.empty()) Step([&] { host_.HideTip(); });
    if (button == 0) Step([&] { host_.ReleaseCapture(); });
    Step([&] { host_.Redraw(); });
    return;
  }

  if (!hover_) {  // entering
    const bool showTip = !trackTipText_.empty() && button == 0 && !pressed_;
    if (style_ == TipStyle::FollowCursor) {
      if (showTip) Step([&] { ShowTipHere(trackTipText_); });
    } else {
      if (showTip) {
        Step([&] { ShowTipHere(trackTipText_); });
        Step([&] { ownTipWindow_ = host_.TipWindow(); });
      } else {
        ownTipWindow_ = 0;
      }
    }
    hover_ = true;
    Step([&] { host_.Redraw(); });
  } else if (style_ == TipStyle::FollowCursor && button == 0 && !pressed_) {
    Step([&] { host_.MoveTip(CheckedSum(cursor.x, 15, -halfTipWidth_), CheckedSum(cursor.y, 25)); });
  }
}

void ControlModel::ShowTipHere(const Text& text) {
  if (style_ == TipStyle::FollowCursor) {
    const ScreenPoint cursor = host_.CursorPos();
    halfTipWidth_ = HalfWidth(host_.TextWidth(text));
    host_.ShowTip(text, CheckedSum(cursor.x, 15, -halfTipWidth_), CheckedSum(cursor.y, 25), true);
  } else {
    const ScreenRect rect = host_.WindowRect();
    host_.ShowTip(text, CheckedSum(rect.left, 16), rect.top, false);
  }
}

void ControlModel::MouseUp(MouseMask button, MouseMask shift, float x, float y) {
  if (pressed_) {
    Lose();
    Step([&] { host_.Redraw(); });
    if (button == 1 && Inside(x, y)) {
      Step([&] { host_.ClickChangesValue(); });
      bool alive = true;
      Step([&] { alive = host_.RaiseClick(); });
      if (!alive) return;
      Step([&] {
        // The form's Click may have taken the capture away (a message box, say).
        if (!host_.CaptureIsOurs()) {
          Lose();
          Step([&] { host_.Redraw(); });
          if (!trackTipText_.empty()) host_.HideTip();
        }
      });
    }
  } else if (button != 1) {
    Lose();
    Step([&] { host_.Redraw(); });
  }
  Step([&] { host_.RaiseMouseUp(button, shift, x, y); });
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
