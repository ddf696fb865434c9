#include "controls/track_tip.h"

#include <commctrl.h>

#include <string>

#include "controls/tip_placement.h"
#include "ui/fonts.h"
#include "ui/text.h"
#include "ui/handles.h"
#include "ui/late_load.h"
#include "ui/window_utils.h"
#include "base/wide.h"

namespace {

// The process's one tooltip window and what it shows.
struct ProcessTip {
  UniqueWindow TipWindow;
  bool Visible = false;
  bool Multiline = false;
  int Dpi = kBaseDpi;  // the shown tip's: its margin and font
  TTTOOLINFOW ToolInfo{};
  std::wstring text;  // what ToolInfo.lpszText points at; the tooltip copies it
};

ProcessTip& TheTip() {
  static ProcessTip tip;
  return tip;
}

// A tip belongs to its owner window and dies with it; a handle of a window that is gone is
// forgotten rather than used.
void ForgetDeadTip() {
  ProcessTip& c = TheTip();
  if (c.TipWindow && !IsWindow(c.TipWindow.get())) c.TipWindow.release();
}

void EnsureTooltipClass() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    auto* init = LateFunction<decltype(InitCommonControlsEx)>(L"comctl32.dll", "InitCommonControlsEx");
    return init && init(&icc) != FALSE;
  }();
  (void)registered;
}

void PutText(const Text& displayText) {
  ProcessTip& c = TheTip();
  c.text = Wide(displayText);
  c.ToolInfo.lpszText = c.text.data();
}

}  // namespace

bool ShowTrackTip(const Text& text, HWND owner, int x, int y, bool trackOnly, bool multiline, int dpi) {
  ForgetDeadTip();
  ProcessTip& c = TheTip();
  if (c.TipWindow) DestroyTrackTip();

  EnsureTooltipClass();
  HINSTANCE instance = GetModuleHandleW(nullptr);
  static DWORD zero = 0;
  c.TipWindow.reset(CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_NOANIMATE | TTS_NOFADE, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, &zero));
  HWND tip = c.TipWindow.get();

  c.ToolInfo = TTTOOLINFOW{};
  c.ToolInfo.cbSize = TTTOOLINFOW_V2_SIZE;  // the layout that ends with lParam
  c.ToolInfo.uFlags = trackOnly ? TTF_TRACK : (TTF_TRACK | TTF_ABSOLUTE);
  c.ToolInfo.hwnd = owner;
  c.ToolInfo.uId = 0;
  c.ToolInfo.hinst = instance;
  PutText(TipDisplayText(text, multiline));
  SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&c.ToolInfo));

  c.Dpi = dpi > 0 ? dpi : WindowDpi(owner);
  const int side = TipMargin(c.Dpi);
  RECT margin{side, 0, side, 0};
  SendMessageW(tip, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margin));
  SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, multiline ? 1000 : -1);
  c.Multiline = multiline;
  SendMessageW(tip, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(c.Dpi)), -1);

  const std::optional<std::uint32_t> position = TrackPositionParam(x, y, c.Dpi);
  if (!position) return false;
  SendMessageW(tip, TTM_TRACKPOSITION, 0, static_cast<LPARAM>(*position));
  SendMessageW(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&c.ToolInfo));
  SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&c.ToolInfo));
  c.Visible = true;
  return true;
}

bool MoveTrackTip(const Text& text, int x, int y) {
  ForgetDeadTip();
  ProcessTip& c = TheTip();
  if (!(c.Visible && c.TipWindow)) return true;
  HWND tip = c.TipWindow.get();
  const Text shown = TipDisplayText(text, c.Multiline);
  if (!shown.empty()) {  // empty text only moves the tip, so it follows the cursor
    PutText(shown);
    SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&c.ToolInfo));
  }
  const std::optional<std::uint32_t> position = TrackPositionParam(x, y, c.Dpi);
  if (position) SendMessageW(tip, TTM_TRACKPOSITION, 0, static_cast<LPARAM>(*position));
  return position.has_value();
}

void HideTrackTip() {
  ForgetDeadTip();
  ProcessTip& c = TheTip();
  if (c.Visible && c.TipWindow) {
    ShowWindow(c.TipWindow.get(), SW_HIDE);
    c.Visible = false;
  }
}

void DestroyTrackTip() {
  ForgetDeadTip();
  ProcessTip& c = TheTip();
  c.TipWindow.reset();
}

TrackTipRecord& TrackTipState() {
  static TrackTipRecord state;
  return state;
}

HWND TipWindow() {
  ForgetDeadTip();
  return TheTip().TipWindow.get();
}

namespace {

class Win32WindowTip : public WindowTipPlatform {
 public:
  bool OwnerRect(WindowId owner, Rect& rect) override {
    RECT r{};
    if (!GetWindowRect(ToHWND(owner), &r)) return false;
    rect = FromRECT(r);
    return true;
  }
  WindowId WindowAt(Point p) override { return FromHWND(WindowFromPoint(POINT{p.x, p.y})); }
  WindowId TipWindow() override { return FromHWND(::TipWindow()); }
  int OwnerDpi(WindowId owner) override { return WindowDpi(ToHWND(owner)); }
  std::int32_t MeasureText(const Text& text, int dpi) override { return TextLineSize(DialogFont(dpi), Wide(text)).cx; }
  bool ShowTip(const Text& text, WindowId owner, std::int32_t x, std::int32_t y, int dpi) override {
    return ShowTrackTip(text, ToHWND(owner), x, y, true, false, dpi);
  }
  bool MoveTip(const Text& text, std::int32_t x, std::int32_t y) override { return MoveTrackTip(text, x, y); }
  void HideTip() override { HideTrackTip(); }
};

}  // namespace

void UpdateWindowTip(HWND owner, std::uint8_t button, const Text& text, bool refresh, int x, int y) {
  Win32WindowTip platform;
  UpdateWindowTip(TrackTipState(), platform, FromHWND(owner), button, text, refresh, x, y);
}
