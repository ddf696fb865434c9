// The controls give back everything they own: their retained images and their skins, also when
// their form goes first.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "controls/checkbox.h"
#include "controls/hyperlink.h"
#include "controls/optionbox.h"
#include "tests/win32/links/links_support.h"
#include "ui/fonts.h"
#include "ui/gdi.h"
#include "ui/picture.h"

namespace {

TEST(LinksLifetime, ManyControlsCreatedPaintedAndDestroyedLeaveNothingBehind) {
  links::HostForm form(100, 100, 300, 200);
  // The two process-wide fonts are made on first use and live until the end.
  ASSERT_TRUE(DialogFont());
  ASSERT_TRUE(ControlFont());
  const long gdiBefore = LiveGdiObjects();
  const int picturesBefore = LivePictureCount();
  std::vector<HGDIOBJ> owned;
  for (int round = 0; round < 30; ++round) {
    CheckBox check;
    OptionBox option;
    HyperLink link;
    ASSERT_TRUE(check.Create(form.hwnd(), 10, 10, 100, 18));
    ASSERT_TRUE(option.Create(form.hwnd(), 10, 40, 100, 18));
    ASSERT_TRUE(link.Create(form.hwnd(), 10, 70, 100, 18));
    check.SetValue(round % 3);
    check.SetEnabled(round % 2 == 0);
    check.SetCaption(u"caption");
    option.SetValue(true);
    option.SetEnabled(false);
    link.SetPrompt(round % 2 ? u"short" : u"a longer text");
    SetWindowPos(check.hWnd(), nullptr, 0, 0, 120 + round, 18 + round % 5, SWP_NOMOVE | SWP_NOZORDER);
    if (round == 0) {
      for (const SkinnedControl* c : {static_cast<const SkinnedControl*>(&check), static_cast<const SkinnedControl*>(&option),
                                      static_cast<const SkinnedControl*>(&link)}) {
        for (HGDIOBJ object : c->OwnedGdiObjects()) owned.push_back(object);
      }
    }
  }
  EXPECT_EQ(LiveGdiObjects(), gdiBefore);
  EXPECT_EQ(LivePictureCount(), picturesBefore);
  ASSERT_EQ(owned.size(), 6u);  // a memory DC and a bitmap each
  for (HGDIOBJ object : owned) EXPECT_EQ(GetObjectType(object), 0u);
}

TEST(LinksLifetime, FormDestroyedFirstTakesTheImagesAlong) {
  ASSERT_TRUE(DialogFont());
  ASSERT_TRUE(ControlFont());
  const long gdiBefore = LiveGdiObjects();
  auto form = std::make_unique<links::HostForm>(100, 100, 300, 200);
  CheckBox check;
  HyperLink link;
  ASSERT_TRUE(check.Create(form->hwnd(), 10, 10, 100, 18));
  ASSERT_TRUE(link.Create(form->hwnd(), 10, 40, 100, 18));
  form.reset();
  EXPECT_EQ(check.hWnd(), nullptr);
  EXPECT_EQ(LiveGdiObjects(), gdiBefore);
  check.SetValue(1);  // a control without a window still takes its value, and paints nothing
  EXPECT_EQ(check.value(), 1);
  link.SetPrompt(u"gone");
  EXPECT_EQ(link.Prompt(), u"gone");
}

}  // namespace
