// The program icon on a window, and the icon group, manifest and version it comes with.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "msgbox/app_icon.h"

namespace {

std::vector<std::pair<WPARAM, HICON>> setIconCalls;

LRESULT CALLBACK RecordingProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SETICON) setIconCalls.emplace_back(wp, reinterpret_cast<HICON>(lp));
  return DefWindowProcW(w, msg, wp, lp);
}

class RecordingWindow {
 public:
  RecordingWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"LumivaleIconRecorder";
    RegisterClassW(&wc);
    hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"icon", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                            nullptr, wc.hInstance, nullptr);
  }
  RecordingWindow(const RecordingWindow&) = delete;
  RecordingWindow& operator=(const RecordingWindow&) = delete;
  ~RecordingWindow() { DestroyWindow(hwnd_); }
  HWND get() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return {0, 0};
  BITMAP bm{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
  SIZE size{bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return size;
}

TEST(SetAppIcon, SendsTheBigIconFirstThenTheSmallOne) {
  RecordingWindow window;
  ASSERT_TRUE(window.get());
  setIconCalls.clear();
  SetAppIcon(window.get());
  ASSERT_EQ(setIconCalls.size(), 2u);
  EXPECT_EQ(setIconCalls[0].first, WPARAM(ICON_BIG));
  EXPECT_EQ(setIconCalls[1].first, WPARAM(ICON_SMALL));
  const SIZE big = IconSize(setIconCalls[0].second), small = IconSize(setIconCalls[1].second);
  EXPECT_EQ(big.cx, 32);
  EXPECT_EQ(big.cy, 32);
  EXPECT_EQ(small.cx, 16);
  EXPECT_EQ(small.cy, 16);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window.get(), WM_GETICON, ICON_BIG, 0)), setIconCalls[0].second);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window.get(), WM_GETICON, ICON_SMALL, 0)), setIconCalls[1].second);
}

TEST(SetAppIcon, IconsAreSharedSoRepeatedCallsCostNothing) {
  RecordingWindow first, second;
  setIconCalls.clear();
  SetAppIcon(first.get());
  SetAppIcon(second.get());
  ASSERT_EQ(setIconCalls.size(), 4u);
  EXPECT_EQ(setIconCalls[0].second, setIconCalls[2].second);
  EXPECT_EQ(setIconCalls[1].second, setIconCalls[3].second);
  // Shared icons survive the windows that used them.
  const HICON big = setIconCalls[0].second;
  { RecordingWindow third; }
  EXPECT_GT(IconSize(big).cx, 0);
}

TEST(SetAppIcon, NoWindowIsHarmless) { SetAppIcon(nullptr); }

// The raw bytes of a resource of the test program, which links the same resources as the program.
std::string ResourceBytes(const wchar_t* name, const wchar_t* type) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC info = FindResourceW(module, name, type);
  if (!info) return {};
  const char* data = static_cast<const char*>(LockResource(LoadResource(module, info)));
  return data ? std::string(data, SizeofResource(module, info)) : std::string();
}

TEST(AppIconGroup, HoldsThreeSizesInTwoDepths) {
  const std::string group = ResourceBytes(L"APPICON", MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */);
  ASSERT_GE(group.size(), 6u);
  const auto* bytes = reinterpret_cast<const unsigned char*>(group.data());
  const int count = bytes[4] | bytes[5] << 8;
  ASSERT_EQ(group.size(), 6u + 14u * count);
  std::set<std::pair<int, int>> images;  // (pixels, bits per pixel)
  for (int i = 0; i < count; ++i) {
    const unsigned char* e = bytes + 6 + 14 * i;
    EXPECT_EQ(e[0], e[1]) << "square";
    images.emplace(e[0], e[6] | e[7] << 8);
  }
  EXPECT_EQ(images, (std::set<std::pair<int, int>>{{16, 8}, {16, 32}, {32, 8}, {32, 32}, {48, 8}, {48, 32}}));
}

bool ContainsUtf16(const std::string& bytes, const wchar_t* text) {
  const std::string needle(reinterpret_cast<const char*>(text), wcslen(text) * sizeof(wchar_t));
  return bytes.find(needle) != std::string::npos;
}

TEST(ProgramResources, ManifestAsksForCommonControls6) {
  const std::string manifest = ResourceBytes(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24) /* RT_MANIFEST */);
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
}

TEST(ProgramResources, VersionNamesTheProduct) {
  const std::string version = ResourceBytes(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16) /* RT_VERSION */);
  EXPECT_TRUE(ContainsUtf16(version, L"Lumivale! Screen Saver"));
  EXPECT_TRUE(ContainsUtf16(version, L"1.0.0"));
}

}  // namespace
