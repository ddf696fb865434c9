// The message box without windows: its style, its layout, its Ctrl+C text, its nesting.
#include <gtest/gtest.h>

#include <iterator>
#include <vector>

#include "msgbox/modal_nesting.h"
#include "msgbox/msgbox_layout.h"
#include "tests/geometry_print.h"

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

// The box is 80 (scaled) wider and taller than its prompt, at least 200 x 100 (scaled); the prompt's
// size is measured in the font of the DPI; every other length is scaled on its own. `window`: the
// box's place and inner size.
TEST(MsgBoxLayout, ScaledAndCentredOnTheMonitor) {
  struct Row {
    int dpi, promptWidth, promptHeight;
    Rect monitor, window;
    int corner;
    std::vector<Rect> frame;
    Rect yes, no, shadow, icon, prompt, caption;
  };
  const Row rows[] = {
      {.dpi = 96, .promptWidth = 150, .promptHeight = 12, .monitor = {0, 0, 1280, 800}, .window = Box(525, 350, 230, 100),
       .corner = 9, .frame = {Box(10, 0, 210, 33), Box(220, 0, 10, 32), Box(0, 32, 10, 32), Box(220, 32, 10, 32),
                              Box(0, 64, 10, 36), Box(10, 64, 210, 36), Box(220, 64, 10, 36)},
       .yes = Box(124, 68, 40, 19), .no = Box(167, 68, 40, 19), .shadow = Box(123, 68, 42, 21), .icon = Box(12, 33, 32, 32),
       .prompt = Box(56, 42, 150, 12), .caption = Box(8, 3, 297, 17)},
      {.dpi = 144, .promptWidth = 100, .promptHeight = 18, .monitor = {-1920, -200, 0, 880}, .window = Box(-1110, 265, 300, 150),
       .corner = 14, .frame = {Box(15, 0, 270, 50), Box(285, 0, 15, 48), Box(0, 48, 15, 48), Box(285, 48, 15, 48),
                               Box(0, 96, 15, 54), Box(15, 96, 270, 54), Box(285, 96, 15, 54)},
       .yes = Box(141, 102, 60, 29), .no = Box(205, 102, 60, 29), .shadow = Box(139, 102, 63, 32), .icon = Box(18, 49, 48, 48),
       .prompt = Box(84, 63, 100, 18), .caption = Box(12, 5, 446, 26)},
      {.dpi = 192, .promptWidth = 300, .promptHeight = 50, .monitor = Box(1280, 0, 2560, 1440), .window = Box(2330, 615, 460, 210),
       .corner = 18, .frame = {Box(20, 0, 420, 66), Box(440, 0, 20, 64), Box(0, 64, 20, 74), Box(440, 64, 20, 74),
                               Box(0, 138, 20, 72), Box(20, 138, 420, 72), Box(440, 138, 20, 72)},
       .yes = Box(248, 146, 80, 38), .no = Box(334, 146, 80, 38), .shadow = Box(246, 146, 84, 42), .icon = Box(24, 71, 64, 64),
       .prompt = Box(112, 76, 300, 50), .caption = Box(16, 6, 594, 34)},
  };
  for (const Row& r : rows) {
    const MsgBoxLayout l = ArrangeMsgBox(r.promptWidth, r.promptHeight, r.monitor, r.dpi);
    EXPECT_EQ(Box(l.left, l.top, l.width, l.height), r.window) << r.dpi;
    EXPECT_EQ(l.corner, r.corner) << r.dpi;
    EXPECT_EQ(std::vector<Rect>(std::begin(l.frame), std::end(l.frame)), r.frame) << r.dpi;
    EXPECT_EQ(l.yes, r.yes) << r.dpi;
    EXPECT_EQ(l.no, r.no) << r.dpi;
    EXPECT_EQ(l.shadow[0], r.shadow) << r.dpi;
    EXPECT_EQ(l.icon, r.icon) << r.dpi;
    EXPECT_EQ(l.prompt, r.prompt) << r.dpi;
    EXPECT_EQ(l.caption, r.caption) << r.dpi;
  }
}

// At any DPI the frame's pieces meet without gap or overlap (where 20 scaled is not twice 10 scaled).
TEST(MsgBoxLayout, FramePiecesMeetAtEveryDpi) {
  for (int dpi = 96; dpi <= 240; ++dpi) {
    const MsgBoxLayout l = ArrangeMsgBox(0, 0, Box(0, 0, 1280, 800), dpi);
    const Rect* f = l.frame;
    const struct { const char* seam; std::int32_t edge, meets; } seams[] = {
        {"top band | top right", f[0].right, f[1].left},    {"top right | the box's right", f[1].right, l.width},
        {"top right / right", f[1].bottom, f[3].top},       {"left / bottom left", f[2].bottom, f[4].top},
        {"right / bottom right", f[3].bottom, f[6].top},    {"bottom left | bottom band", f[4].right, f[5].left},
        {"bottom band | bottom right", f[5].right, f[6].left}, {"bottom right / the box's bottom", f[6].bottom, l.height}};
    for (const auto& s : seams) EXPECT_EQ(s.edge, s.meets) << s.seam << " at " << dpi;
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
  const std::vector<bool> acts{m.Enter(), m.Enter(), m.Leave(), m.Leave(), m.Leave(), m.Enter()};
  EXPECT_EQ(acts, (std::vector<bool>{true, false, false, true, true, true})) << "an unpaired close still enables";
}

}  // namespace
