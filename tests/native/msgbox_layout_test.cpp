#include "msgbox/msgbox_layout.h"

#include <gtest/gtest.h>

#include "settings/file_filter.h"

namespace {

TEST(MsgBoxStyle, DecodesButtonsAndTheOneIcon) {
  struct Row { std::int32_t style; bool yesNo; MsgIcon icon; };
  const Row rows[] = {
      {16, false, MsgIcon::Critical},      {48, false, MsgIcon::Exclamation},
      {52, true, MsgIcon::Exclamation},    {32, false, MsgIcon::None},
      {0x50, false, MsgIcon::Information}, {1, false, MsgIcon::None},
      {5, true, MsgIcon::None},            {0x40 | 0x30 | 4, true, MsgIcon::Information},
      {0x20 | 0x10, false, MsgIcon::Exclamation}, {0, false, MsgIcon::None},
  };
  for (const Row& r : rows) {
    const MsgBoxStyle s = DecodeMsgBoxStyle(r.style);
    EXPECT_EQ(s.yesNo, r.yesNo) << r.style;
    EXPECT_EQ(s.icon, r.icon) << r.style;
  }
}

TEST(MsgBoxLayout, MinimumSizeAndGrowth) {
  struct Row { int pw, ph, w, h; };
  const Row rows[] = {{100, 12, 200, 100}, {150, 12, 230, 100}, {120, 12, 200, 100},
                      {121, 20, 201, 100}, {100, 24, 200, 104}, {100, 21, 200, 101}};
  for (const Row& r : rows) {
    const MsgBoxLayout l = ArrangeMsgBox(r.pw, r.ph, 1280, 800);
    EXPECT_EQ(l.width, r.w) << r.pw;
    EXPECT_EQ(l.height, r.h) << r.ph;
  }
}

TEST(MsgBoxLayout, PlacesEveryPieceForAOneLinePrompt) {
  const MsgBoxLayout l = ArrangeMsgBox(150, 12, 1280, 800);  // 230 x 100
  EXPECT_EQ(l.frame[0], (Rect{10, 0, 210, 33}));
  EXPECT_EQ(l.frame[1], (Rect{220, 0, 10, 32}));
  EXPECT_EQ(l.frame[2], (Rect{0, 32, 10, 32}));
  EXPECT_EQ(l.frame[3], (Rect{220, 32, 10, 32}));
  EXPECT_EQ(l.frame[4], (Rect{0, 64, 10, 36}));
  EXPECT_EQ(l.frame[5], (Rect{10, 64, 210, 36}));
  EXPECT_EQ(l.frame[6], (Rect{220, 64, 10, 36}));
  EXPECT_EQ(l.yes, (Rect{124, 68, 40, 19}));
  EXPECT_EQ(l.no, (Rect{167, 68, 40, 19}));  // 3 pixels after Yes; 23 from the right edge
  EXPECT_EQ(l.ok, l.no);
  EXPECT_EQ(l.shadow[0], (Rect{123, 68, 42, 21}));
  EXPECT_EQ(l.shadow[1], (Rect{166, 68, 42, 21}));
  EXPECT_EQ(l.icon, (Rect{12, 33, 32, 32}));
  EXPECT_EQ(l.prompt, (Rect{56, 42, 150, 12}));  // (100 - 12) / 2 - 2
  EXPECT_EQ(l.left, (1280 - 230) / 2);
  EXPECT_EQ(l.top, (800 - 100) / 2);
}

TEST(MsgBoxLayout, TwoLinePromptMakesItTaller) {
  const MsgBoxLayout l = ArrangeMsgBox(180, 26, 1024, 768);
  EXPECT_EQ(l.height, 106);
  EXPECT_EQ(l.width, 260);
  EXPECT_EQ(l.prompt.y, (106 - 26) / 2 - 2);
  EXPECT_EQ(l.frame[2].height, 106 - 68);
  EXPECT_EQ(l.yes.y, 106 - 32);
}

TEST(MsgBoxText, PromptIsCutAtAThousand) {
  EXPECT_EQ(CutPrompt(Text(1000, u'가')).size(), 1000u);
  EXPECT_EQ(CutPrompt(Text(1001, u'가')), Text(1000, u'가'));
  EXPECT_EQ(CutPrompt(u""), u"");
}

TEST(MsgBoxText, ClipboardBlockHasSevenLines) {
  const Text dash = u"---------------------------";
  EXPECT_EQ(MsgBoxClipboardText(u"T", u"P", true, true, false),
            dash + u"\r\nT\r\n" + dash + u"\r\nP\r\n" + dash + u"\r\n예   아니요\r\n" + dash);
  EXPECT_EQ(MsgBoxClipboardText(u"런타임 에러", u"a\r\nb", false, false, true),
            dash + u"\r\n런타임 에러\r\n" + dash + u"\r\na\r\nb\r\n" + dash + u"\r\n확인\r\n" + dash);
  EXPECT_EQ(MsgBoxClipboardText(u"", u"", false, false, false),
            dash + u"\r\n\r\n" + dash + u"\r\n\r\n" + dash + u"\r\n\r\n" + dash);
}

TEST(ModalNesting, OnlyTheOutermostPairActs) {
  ModalNesting m;
  EXPECT_TRUE(m.Enter());
  EXPECT_FALSE(m.Enter());
  EXPECT_EQ(m.Depth(), 2);
  EXPECT_FALSE(m.Leave());
  EXPECT_TRUE(m.Leave());
  EXPECT_EQ(m.Depth(), 0);
  EXPECT_TRUE(m.Leave());  // an unpaired close still enables and never goes below zero
  EXPECT_EQ(m.Depth(), 0);
  EXPECT_TRUE(m.Enter());
}

TEST(FileFilter, ConvertsBarsToNuls) {
  using namespace std::string_literals;
  EXPECT_EQ(ConvertFilter(u""), u"\0"s);
  EXPECT_EQ(ConvertFilter(u"All"), u"All\0\0"s);
  EXPECT_EQ(ConvertFilter(u"지원 음악파일(*.wav;*.mp3)|*.wav;*.mp3|"),
            u"지원 음악파일(*.wav;*.mp3)\0*.wav;*.mp3\0\0\0"s);
  EXPECT_EQ(PatternInEffect(u"\0\0*.wav;*.mp3\0junk\0"s), u"*.wav;*.mp3");
  EXPECT_EQ(PatternInEffect(Text(20000, u'\0')), u"");
  EXPECT_EQ(PatternInEffect(u"*.mp3"), u"*.mp3");
}

}  // namespace
