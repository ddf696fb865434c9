// The message box without windows: its style, its layout, its Ctrl+C text, its nesting.
#include <gtest/gtest.h>

#include <tuple>

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
    const MsgBoxLayout l = ArrangeMsgBox(r.pw, r.ph, Box(0, 0, 1280, 800));
    EXPECT_EQ(l.width, r.w) << r.pw;
    EXPECT_EQ(l.height, r.h) << r.ph;
    EXPECT_EQ(l.prompt, Box(56, (r.h - r.ph) / 2 - 2, r.pw, r.ph)) << r.pw;
    EXPECT_EQ(l.no, Box(r.w - 63, r.h - 32, 40, 19)) << r.pw;  // 23 from the right
    EXPECT_EQ(l.yes, Box(r.w - 106, r.h - 32, 40, 19)) << r.pw;
    EXPECT_EQ(l.left, (1280 - r.w) / 2);
  }
  const MsgBoxLayout l = ArrangeMsgBox(150, 12, Box(0, 0, 1280, 800));
  const Rect frame[7] = {Box(10, 0, 210, 33), Box(220, 0, 10, 32), Box(0, 32, 10, 32), Box(220, 32, 10, 32),
                         Box(0, 64, 10, 36),  Box(10, 64, 210, 36), Box(220, 64, 10, 36)};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(l.frame[i], frame[i]) << "frame " << i;
  EXPECT_EQ(l.shadow[0], Box(123, 68, 42, 21));
  EXPECT_EQ(l.icon, Box(12, 33, 32, 32));
}

TEST(MsgBoxLayout, ScaledAndCentredOnTheMonitor) {
  // The prompt's size is measured in the font of the DPI; every other length is scaled on its own.
  struct Row { int dpi, pw, ph; Rect monitor; int w, h; Rect frame0, frame2, yes, no, shadow0, icon, prompt, caption; int corner, left, top; };
  const Row rows[] = {
      {144, 100, 18, {-1920, -200, 0, 880}, 300, 150, Box(15, 0, 270, 50), Box(0, 48, 15, 48), Box(141, 102, 60, 29),
       Box(205, 102, 60, 29), Box(139, 102, 63, 32), Box(18, 49, 48, 48), Box(84, 63, 100, 18), Box(12, 5, 446, 26), 14, -1110, 265},
      {192, 300, 50, Box(1280, 0, 2560, 1440), 460, 210, Box(20, 0, 420, 66), Box(0, 64, 20, 74), Box(248, 146, 80, 38),
       Box(334, 146, 80, 38), Box(246, 146, 84, 42), Box(24, 71, 64, 64), Box(112, 76, 300, 50), Box(16, 6, 594, 34), 18, 2330, 615},
  };
  for (const Row& r : rows) {
    const MsgBoxLayout l = ArrangeMsgBox(r.pw, r.ph, r.monitor, r.dpi);
    EXPECT_EQ(std::tie(l.width, l.height, l.corner, l.left, l.top), std::tie(r.w, r.h, r.corner, r.left, r.top)) << r.dpi;
    EXPECT_EQ(l.frame[0], r.frame0) << r.dpi;
    EXPECT_EQ(l.frame[2], r.frame2) << r.dpi;
    EXPECT_EQ(l.yes, r.yes) << r.dpi;
    EXPECT_EQ(l.no, r.no) << r.dpi;
    EXPECT_EQ(l.shadow[0], r.shadow0) << r.dpi;
    EXPECT_EQ(l.icon, r.icon) << r.dpi;
    EXPECT_EQ(l.prompt, r.prompt) << r.dpi;
    EXPECT_EQ(l.caption, r.caption) << r.dpi;
  }
  // At any DPI the frame pieces meet without gap or overlap (where 20 scaled is not twice 10 scaled).
  for (int dpi = 96; dpi <= 240; ++dpi) {
    const MsgBoxLayout l = ArrangeMsgBox(0, 0, Box(0, 0, 1280, 800), dpi);
    const Rect* f = l.frame;
    EXPECT_TRUE(f[0].right == f[1].left && f[1].right == l.width && f[2].bottom == f[4].top && f[3].bottom == f[6].top &&
                f[5].left == f[4].right && f[5].right == f[6].left && f[6].bottom == l.height && f[1].bottom == f[3].top)
        << dpi;
  }
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
