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

MsgBoxLayout ArrangeMsgBox(int promptWidth, int promptHeight, int screenWidth, int screenHeight) {
  MsgBoxLayout l;
  l.height = promptHeight + 80 > 100 ? promptHeight + 80 : 100;
  l.width = promptWidth + 80 > 200 ? promptWidth + 80 : 200;
  const int W = l.width, H = l.height;
  l.frame[0] = Box(10, 0, W - 20, 33);
  l.frame[1] = Box(W - 10, 0, 10, 32);
  l.frame[2] = Box(0, 32, 10, H - 68);
  l.frame[3] = Box(W - 10, 32, 10, H - 68);
  l.frame[4] = Box(0, H - 36, 10, 36);
  l.frame[5] = Box(10, H - 36, W - 20, 36);
  l.frame[6] = Box(W - 10, H - 36, 10, 36);
  const int buttonTop = H - 32;
  l.yes = Box(W - 106, buttonTop, 40, 19);
  l.no = Box(W - 63, buttonTop, 40, 19);
  l.ok = l.no;
  l.shadow[0] = Box(l.yes.left - 1, buttonTop, 42, 21);
  l.shadow[1] = Box(l.no.left - 1, buttonTop, 42, 21);
  l.icon = Box(12, (H - 32) / 2 - 1, 32, 32);
  l.prompt = Box(56, (H - promptHeight) / 2 - 2, promptWidth, promptHeight);
  l.left = (screenWidth - W) / 2;
  l.top = (screenHeight - H) / 2;
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
