// The message box without windows: its style, its layout, its Ctrl+C text, its nesting.
#include <gtest/gtest.h>

#include "msgbox/modal_nesting.h"
#include "msgbox/msgbox_layout.h"

namespace {

TEST(MsgBoxStyle, ButtonsAndTheOneIcon) {
  struct Row { std::int32_t style; bool yesNo; MsgIcon icon; };
  for (const Row& r : {Row{16, false, MsgIcon::Critical}, Row{52, true, MsgIcon::Exclamation},
                       Row{0x50, false, MsgIcon::Information}, Row{5, true, MsgIcon::None},
                       Row{0x74, true, MsgIcon::Information}, Row{0x30, false, MsgIcon::Exclamation}}) {
    const MsgBoxStyle s = DecodeMsgBoxStyle(r.style);
    EXPECT_EQ(s.yesNo, r.yesNo) << r.style;
    EXPECT_EQ(s.icon, r.icon) << r.style;
  }
}

TEST(MsgBoxLayout, SizeAndPieces) {
  struct Row { int pw, ph, w, h; };
  for (const Row& r : {Row{100, 12, 200, 100}, Row{121, 20, 201, 100}, Row{100, 24, 200, 104}, Row{180, 26, 260, 106}}) {
    const MsgBoxLayout l = ArrangeMsgBox(r.pw, r.ph, 1280, 800);
    EXPECT_EQ(l.width, r.w) << r.pw;
    EXPECT_EQ(l.height, r.h) << r.ph;
    EXPECT_EQ(l.prompt, Box(56, (r.h - r.ph) / 2 - 2, r.pw, r.ph)) << r.pw;
    EXPECT_EQ(l.no, Box(r.w - 63, r.h - 32, 40, 19)) << r.pw;  // 23 from the right
    EXPECT_EQ(l.yes, Box(r.w - 106, r.h - 32, 40, 19)) << r.pw;
    EXPECT_EQ(l.left, (1280 - r.w) / 2);
  }
  const MsgBoxLayout l = ArrangeMsgBox(150, 12, 1280, 800);
  const Rect frame[7] = {Box(10, 0, 210, 33), Box(220, 0, 10, 32), Box(0, 32, 10, 32), Box(220, 32, 10, 32),
                         Box(0, 64, 10, 36),  Box(10, 64, 210, 36), Box(220, 64, 10, 36)};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(l.frame[i], frame[i]) << "frame " << i;
  EXPECT_EQ(l.shadow[0], Box(123, 68, 42, 21));
  EXPECT_EQ(l.icon, Box(12, 33, 32, 32));
}

TEST(MsgBoxText, PromptCutAndClipboardBlock) {
  EXPECT_EQ(CutPrompt(Text(1001, u'가')), Text(1000, u'가'));
  const Text rule(27, u'-');
  EXPECT_EQ(MsgBoxClipboardText(u"T", u"a\r\nb", true, true, false),
            rule + u"\r\nT\r\n" + rule + u"\r\na\r\nb\r\n" + rule + u"\r\n예   아니요\r\n" + rule);
  EXPECT_EQ(MsgBoxClipboardText(u"", u"", false, false, true),
            rule + u"\r\n\r\n" + rule + u"\r\n\r\n" + rule + u"\r\n확인\r\n" + rule);
}

TEST(ModalNesting, OnlyTheOutermostPairActs) {
  ModalNesting m;
  const bool acts[] = {m.Enter(), m.Enter(), m.Leave(), m.Leave(), m.Leave(), m.Enter()};
  const bool expected[] = {true, false, false, true, true, true};  // an unpaired close still enables
  for (int i = 0; i < 6; ++i) EXPECT_EQ(acts[i], expected[i]) << "step " << i;
}

}  // namespace
