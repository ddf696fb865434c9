#include "ui/window.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "host/window_utils.h"
#include "ui/handles.h"

namespace {

// A form that records its messages and can be told to fail.
class RecordingForm : public Form {
 public:
  std::vector<UINT> messages;
  bool throwOnApp = false;
  int* destroyedCount = nullptr;

 protected:
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    messages.push_back(msg);
    if (msg == WM_APP) {
      if (throwOnApp) throw std::runtime_error("handler failed");
      result = 77;
      return true;
    }
    if (msg == WM_DESTROY && destroyedCount) ++*destroyedCount;
    return Form::OnMessage(msg, wParam, lParam, result);
  }
};

bool Contains(const std::vector<UINT>& v, UINT m) {
  for (UINT x : v)
    if (x == m) return true;
  return false;
}

TEST(WindowTest, ObjectBoundFromCreationToDestruction) {
  RecordingForm form;
  ASSERT_TRUE(form.CreateForm(L"bound", 10, 10, 50, 40));
  EXPECT_TRUE(Contains(form.messages, WM_NCCREATE));
  EXPECT_TRUE(Contains(form.messages, WM_CREATE));
  EXPECT_EQ(SendMessageW(form.hwnd(), WM_APP, 0, 0), 77);
  EXPECT_EQ(GetWindowLongPtrW(form.hwnd(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);  // borderless
  HWND hwnd = form.hwnd();
  DestroyWindow(hwnd);
  EXPECT_EQ(form.hwnd(), nullptr);  // the object knows its window is gone
  EXPECT_TRUE(Contains(form.messages, WM_NCDESTROY));
}

TEST(WindowTest, DestroyingTheObjectDestroysTheWindowWithoutCallingIt) {
  int destroyed = 0;
  HWND hwnd = nullptr;
  {
    RecordingForm form;
    form.destroyedCount = &destroyed;
    ASSERT_TRUE(form.CreateForm(L"owned", 10, 10, 50, 40));
    hwnd = form.hwnd();
  }
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(destroyed, 0);  // unbound before the window went
}

TEST(WindowTest, UniqueWindowDestroysOnlyWhatStillLives) {
  HWND plain = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  {
    UniqueWindow owned(plain);
    UniqueWindow moved(std::move(owned));
    EXPECT_FALSE(owned);
    EXPECT_EQ(moved.get(), plain);
  }
  EXPECT_FALSE(IsWindow(plain));

  Form parent;
  ASSERT_TRUE(parent.CreateForm(L"parent", 0, 0, 10, 10));
  UniqueWindow child(CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, parent.hwnd(), nullptr, nullptr, nullptr));
  DestroyWindow(parent.hwnd());  // the child goes with its parent
  EXPECT_FALSE(IsWindow(child.get()));
  child.reset();  // nothing left to destroy, no error
  EXPECT_FALSE(child);
}

TEST(WindowTest, NoExceptionCrossesTheWindowProcedure) {
  RecordingForm form;
  ASSERT_TRUE(form.CreateForm(L"throws", 10, 10, 50, 40));
  form.throwOnApp = true;
  EXPECT_EQ(SendMessageW(form.hwnd(), WM_APP, 0, 0), 0);  // the default procedure's answer
}

TEST(WindowTest, PaintCopiesTheRetainedImage) {
  Form form;
  ASSERT_TRUE(form.CreateForm(L"paint", 10, 10, 50, 40));
  ASSERT_NE(form.BufferDC(), nullptr);
  EXPECT_EQ(form.Buffer().width(), 50);
  EXPECT_EQ(form.Buffer().height(), 40);
  RECT part{5, 5, 20, 20};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(form.BufferDC(), &part, red);
  DeleteObject(red);

  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 50, 40);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageW(form.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  EXPECT_EQ(GetPixel(dc, 6, 6), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 30, 30), RGB(255, 255, 255));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);

  SetWindowPos(form.hwnd(), nullptr, 0, 0, 80, 60, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(form.Buffer().width(), 80);  // the image follows the size, keeping what was drawn
  EXPECT_EQ(GetPixel(form.BufferDC(), 6, 6), RGB(255, 0, 0));
}

TEST(WindowUtilsTest, TopmostBandOnlyChangesTheZOrder) {
  Form form;
  ASSERT_TRUE(form.CreateForm(L"topmost", 30, 40, 50, 60));
  SetTopmost(form.hwnd(), true);
  EXPECT_TRUE(GetWindowLongPtrW(form.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  SetTopmost(form.hwnd(), false);
  EXPECT_FALSE(GetWindowLongPtrW(form.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT r{};
  GetWindowRect(form.hwnd(), &r);
  EXPECT_EQ(r.left, 30);
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(r.right - r.left, 50);
  EXPECT_EQ(r.bottom - r.top, 60);
}

TEST(WindowUtilsTest, PointerShapes) {
  SetPointerShape(false);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
  SetPointerShape(true);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
}

// A form that records how the drag is asked for, without running the platform's move loop
// (which waits for a real release).
class DragForm : public Form {
 public:
  HWND child = nullptr;
  int asked = 0;
  WPARAM hitTest = 0;
  HWND captureWhenAsked = nullptr;

 protected:
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (msg == WM_NCLBUTTONDOWN) {
      ++asked;
      hitTest = wParam;
      captureWhenAsked = GetCapture();
      result = 0;
      return true;
    }
    return Form::OnMessage(msg, wParam, lParam, result);
  }
};

TEST(WindowUtilsTest, DragAsksForTheCaptionMoveAfterReleasingTheCapture) {
  DragForm form;
  ASSERT_TRUE(form.CreateForm(L"drag", 200, 200, 100, 80));
  form.child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 60, 60, 10, 10, form.hwnd(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  SetCapture(form.child);  // a control holds the capture
  ASSERT_EQ(GetCapture(), form.child);
  StartWindowDrag(form.hwnd());
  EXPECT_EQ(form.asked, 1);
  EXPECT_EQ(form.hitTest, static_cast<WPARAM>(HTCAPTION));
  EXPECT_EQ(form.captureWhenAsked, nullptr);
}

}  // namespace
