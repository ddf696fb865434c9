#pragma once
// Button: the skinned push button. It paints one of three frames of its skin picture (normal,
// hover, pressed), shows a tooltip that follows the mouse, and raises Click for a left press and
// release over it. Its mouse handling is the shared control model.
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "controls/control_model.h"
#include "ui/picture.h"
#include "ui/window.h"

// Event handler for MouseDown, MouseMove and MouseUp: button and shift masks, x and y in the
// control's pixels, all by reference.
using MouseEvent = std::function<void(MouseMask& button, MouseMask& shift, float& x, float& y)>;

class Button : public ChildControl, private ControlHost {
 public:
  Button();
  ~Button() override;

  // Creates the control's window on the form and paints it once.
  bool Create(HWND parent, int x, int y, int width, int height);

  HWND hWnd() const { return hwnd(); }

  // The skin: three frames of equal height stacked from the top (normal, hover, pressed). Not
  // owned: whoever sets it keeps it alive while it is set. None leaves the last image in place.
  const Picture* ButtonSkin() const { return skin_; }
  void SetButtonSkin(const Picture* skin);

  const Text& TrackTipText() const { return model_.TrackTipText(); }
  void SetTrackTipText(const Text& text) { model_.SetTrackTipText(text); }

  // Paints the frame for the current flags into the retained image.
  void DrawPicture();

  bool Pressed() const { return model_.Pressed(); }
  bool Hover() const { return model_.Hover(); }

  // The GDI objects this control owns now (its retained image), for leak checks.
  std::vector<HGDIOBJ> OwnedGdiObjects() const;

  std::function<void()> Click;
  MouseEvent MouseDown;
  MouseEvent MouseMove;
  MouseEvent MouseUp;

 protected:
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnBufferResized() override { DrawPicture(); }

 private:
  // ControlHost: what the model asks of the window.
  bool CaptureIsOurs() override;
  void TakeCapture() override;
  void ReleaseCapture() override;
  ScreenPoint CursorPos() override;
  ScreenRect WindowRect() override;
  WindowId WindowAt(ScreenPoint point) override;
  WindowId OwnWindow() override;
  WindowId TipWindow() override;
  float InnerWidth() override;
  float InnerHeight() override;
  std::int32_t TextWidth(const Text& text) override;
  void SetHandPointer() override;
  void FocusForm() override;
  void ShowTip(const Text& text, std::int32_t x, std::int32_t y, bool trackOnly) override;
  void MoveTip(std::int32_t x, std::int32_t y) override;
  void HideTip() override;
  void Redraw() override { DrawPicture(); }
  bool RaiseClick() override;
  bool RaiseMouseDown(MouseMask& button, MouseMask& shift, float& x, float& y) override;
  bool RaiseMouseMove(MouseMask& button, MouseMask& shift, float& x, float& y) override;
  bool RaiseMouseUp(MouseMask& button, MouseMask& shift, float& x, float& y) override;
  bool Raise(const MouseEvent& event, MouseMask& button, MouseMask& shift, float& x, float& y);

  ControlModel model_;
  const Picture* skin_ = nullptr;
  // Cleared when the object goes, so a handler that destroyed it can be told apart.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// The frame rectangle of a three-frame skin in picture pixels: full width, height / 3 rows
// exactly, from the top normal, hover, pressed.
RECT SkinFrameRect(int pictureWidth, int pictureHeight, SkinFrame frame);
