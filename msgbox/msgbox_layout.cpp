#include "msgbox/msgbox_layout.h"

MsgBoxStyle DecodeMsgBoxStyle(std::int32_t style) {
  MsgBoxStyle s;
  s.yesNo = (style & 0x4) != 0;
  if (style & 0x40)
    s.icon = MsgIcon::Information;
  else if ((style & 0x30) == 0x30)
    s.icon = MsgIcon::Exclamation;
  else if (style & 0x10)
    s.icon = MsgIcon::Critical;
  return s;
}

MsgBoxLayout ArrangeMsgBox(int promptWidth, int promptHeight, const Rect& monitor, int dpi) {
  const auto S = [dpi](std::int32_t v) { return Scale(v, dpi); };
  MsgBoxLayout l;
  l.height = promptHeight + S(80) > S(100) ? promptHeight + S(80) : S(100);
  l.width = promptWidth + S(80) > S(200) ? promptWidth + S(80) : S(200);
  const int W = l.width, H = l.height;
  // The corner pieces are 10 wide, 32 tall at the top and 36 at the bottom; the bands and edges
  // stretch between them, so that the pieces meet at any scale.
  const int side = S(10), top = S(32), bottom = S(36);
  l.frame[0] = Box(side, 0, W - 2 * side, S(33));
  l.frame[1] = Box(W - side, 0, side, top);
  l.frame[2] = Box(0, top, side, H - top - bottom);
  l.frame[3] = Box(W - side, top, side, H - top - bottom);
  l.frame[4] = Box(0, H - bottom, side, bottom);
  l.frame[5] = Box(side, H - bottom, W - 2 * side, bottom);
  l.frame[6] = Box(W - side, H - bottom, side, bottom);
  const int buttonTop = H - S(32);
  l.yes = Box(W - S(106), buttonTop, S(40), S(19));
  l.no = Box(W - S(63), buttonTop, S(40), S(19));
  l.ok = l.no;
  l.shadow[0] = Box(l.yes.left - S(1), buttonTop, S(42), S(21));
  l.shadow[1] = Box(l.no.left - S(1), buttonTop, S(42), S(21));
  l.icon = Box(S(12), (H - S(32)) / 2 - S(1), S(32), S(32));
  l.prompt = Box(S(56), (H - promptHeight) / 2 - S(2), promptWidth, promptHeight);
  l.caption = ScaleBox(8, 3, 297, 17, dpi);
  l.corner = S(9);
  const Point place = CentredIn(monitor, W, H);
  l.left = place.x;
  l.top = place.y;
  return l;
}

Text CutPrompt(const Text& prompt) { return prompt.size() > 1000 ? prompt.substr(0, 1000) : prompt; }

Text MsgBoxClipboardText(const Text& title, const Text& prompt, bool yesVisible, bool noVisible,
                         bool okVisible) {
  Text buttons;
  if (yesVisible) buttons += u"   예";
  if (noVisible) buttons += u"   아니요";
  if (okVisible) buttons += u"   확인";
  const auto first = buttons.find_first_not_of(u' ');
  buttons = first == Text::npos ? Text() : buttons.substr(first, buttons.find_last_not_of(u' ') - first + 1);
  const Text dashes = u"---------------------------";
  return dashes + u"\r\n" + title + u"\r\n" + dashes + u"\r\n" + prompt + u"\r\n" + dashes + u"\r\n" +
         buttons + u"\r\n" + dashes;
}
