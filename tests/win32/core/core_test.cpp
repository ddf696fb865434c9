// The reference core: its pictures, input and music through its own parts in this process, and its
// three roads (/s, /p, "設定") as the real program.
#include <gtest/gtest.h>
#include <windows.h>

#include <mmsystem.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tools/reference-core/saver_window_win.h"
#include "ui/handles.h"

namespace {

constexpr DWORD kDeadline = 15000;
constexpr std::uint32_t kWhite = 0xFFFFFF, kDesktop = 0x0080FF;  // the desktop: RGB(0, 128, 255)

SettingsRecord Settings(std::uint8_t mode, bool natural, bool white) {
  SettingsRecord s;
  s.InterpolationMode = mode;
  s.Omake1 = natural;
  s.Omake2 = white;
  return s;
}

// One frame, as the window's paint copies it, read back as 0xRRGGBB.
std::vector<std::uint32_t> Frame(const SettingsRecord& settings, int width, int height,
                                 const DesktopSnapshot* desktop) {
  static GdiplusSession gdiplus;
  SaverPicture picture(settings);
  EXPECT_TRUE(picture.SetTarget(width, height, desktop));
  picture.Render(3.0);
  DibSection out;
  EXPECT_TRUE(out.Create(width, height));
  picture.CopyTo(out.dc(), RECT{0, 0, width, height});
  GdiFlush();
  std::vector<std::uint32_t> pixels(out.bits(), out.bits() + static_cast<size_t>(width) * height);
  for (auto& p : pixels) p &= 0xFFFFFF;
  return pixels;
}

// The desktop in one colour: a topmost window over the whole screen while the snapshot is taken.
class PaintedDesktop {
 public:
  PaintedDesktop() {
    brush_.reset(CreateSolidBrush(RGB(0, 128, 255)));
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = brush_.get();
    wc.lpszClassName = L"CoreTestDesktop";
    RegisterClassW(&wc);
    window_.reset(CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE,
                              GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                              GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN), nullptr,
                              nullptr, wc.hInstance, nullptr));
    // Shown once the screen itself has the colour (drawing reaches the X server asynchronously).
    for (DWORD start = GetTickCount(); GetTickCount() - start < kDeadline; Sleep(20)) {
      MSG m;
      while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
      RedrawWindow(window_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
      snapshot_.emplace();
      if (snapshot_->picture().bits() && (snapshot_->picture().bits()[0] & 0xFFFFFF) == kDesktop) break;
    }
  }
  PaintedDesktop(const PaintedDesktop&) = delete;
  PaintedDesktop& operator=(const PaintedDesktop&) = delete;
  const DesktopSnapshot* snapshot() const { return &*snapshot_; }

 private:
  UniqueBrush brush_;  // outlives the window that paints with it
  UniqueWindow window_;
  std::optional<DesktopSnapshot> snapshot_;
};

TEST(CorePicture, BackgroundIsWhiteWithOmake2AndTheDesktopOtherwiseAroundAndThroughTheScene) {
  PaintedDesktop desktop;
  ASSERT_EQ(desktop.snapshot()->picture().bits()[0] & 0xFFFFFF, kDesktop) << "the desktop never got its colour";
  struct Row {
    const char* name;
    bool natural, white;
    int width, height;
    RECT scene;  // where the picture differs from the background
  } rows[] = {
      {"fitted on a wide target, white", false, true, 800, 250, {200, 0, 600, 250}},
      {"fitted on a wide target, desktop", false, false, 800, 250, {200, 0, 600, 250}},
      {"fitted on a tall target, white", false, true, 400, 400, {0, 75, 400, 325}},
      {"natural size, centred, white", true, true, 1280, 800, {440, 275, 840, 525}},
      {"natural size, centred, desktop", true, false, 1280, 800, {440, 275, 840, 525}},
  };
  for (const Row& row : rows) {
    const auto pixels = Frame(Settings(5, row.natural, row.white), row.width, row.height, desktop.snapshot());
    const std::uint32_t background = row.white ? kWhite : kDesktop;
    RECT changed{row.width, row.height, 0, 0};
    for (int y = 0; y < row.height; ++y)
      for (int x = 0; x < row.width; ++x)
        if (pixels[static_cast<size_t>(y) * row.width + x] != background) {
          changed = {std::min<LONG>(changed.left, x), std::min<LONG>(changed.top, y),
                     std::max<LONG>(changed.right, x + 1), std::max<LONG>(changed.bottom, y + 1)};
        }
    EXPECT_TRUE(EqualRect(&changed, &row.scene))
        << row.name << ": the scene covers " << changed.left << "," << changed.top << "-" << changed.right << ","
        << changed.bottom;
  }
  // The sky is not opaque: the same corner of the night is lighter over white than over the desktop.
  const auto overWhite = Frame(Settings(5, false, true), 400, 250, desktop.snapshot());
  const auto overDesktop = Frame(Settings(5, false, false), 400, 250, desktop.snapshot());
  EXPECT_GT(int(overWhite[5 * 400 + 20] >> 16), int(overDesktop[5 * 400 + 20] >> 16) + 20) << "red over white";
  EXPECT_GT(int(overDesktop[5 * 400 + 20] & 255), int(overWhite[5 * 400 + 20] & 255) - 10) << "blue over desktop";
}

TEST(CorePicture, NearestPixelShowsHardEdgesWhereTheSmoothFiltersBlend) {
  // A column down the sky and the hills at 1280x800 (3.2 times the frame). Nearest pixel repeats
  // the frame's pixels: at most as many colours, and as many changes down the column, as the
  // frame is high. A smooth filter makes new colours between them, a change at nearly every pixel.
  size_t colours[6] = {}, changes[6] = {};
  std::vector<std::uint32_t> frames[6];
  for (std::uint8_t mode = 0; mode < 6; ++mode) {
    frames[mode] = Frame(Settings(mode, false, true), 1280, 800, nullptr);
    std::vector<std::uint32_t> column;
    for (int y = 0; y < 800; ++y) column.push_back(frames[mode][y * 1280 + 100]);
    colours[mode] = std::set<std::uint32_t>(column.begin(), column.end()).size();
    for (int y = 1; y < 800; ++y) changes[mode] += column[y] != column[y - 1];
    std::printf("InterpolationMode %d: %zu colours, %zu changes down the column; frame %s bilinear's, %s nearest's\n",
                mode, colours[mode], changes[mode], frames[mode] == frames[3] ? "equals" : "differs from",
                frames[mode] == frames[4] ? "equals" : "differs from");
  }
  EXPECT_LE(colours[4], static_cast<size_t>(kSceneHeight));
  EXPECT_LE(changes[4], static_cast<size_t>(kSceneHeight));
  EXPECT_GT(colours[3], colours[4] * 3 / 2) << "bilinear";
  EXPECT_GT(changes[3], changes[4] * 3 / 2) << "bilinear";
  // Every other filter is one of the two: the setting reaches GDI+.
  for (int mode : {0, 1, 2, 5}) EXPECT_NE(frames[mode], frames[4]) << "mode " << mode << " is not smooth";
}

// The saver's window in this process over a corner of the screen, sent what a user's input sends.
TEST(CoreInput, TheSaverEndsOnAKeyAClickOrAMoveOfMoreThanFourPixelsButNotOnTheFirstMoveOrAJitter) {
  struct Row {
    const char* name;
    std::vector<std::pair<UINT, POINT>> input;  // message and pointer position (screen)
    bool ends;
  } rows[] = {
      {"the first move, however far", {{WM_MOUSEMOVE, {180, 140}}}, false},
      {"jitter of 4 pixels", {{WM_MOUSEMOVE, {100, 100}}, {WM_MOUSEMOVE, {104, 96}}, {WM_MOUSEMOVE, {96, 104}}}, false},
      {"5 pixels right", {{WM_MOUSEMOVE, {100, 100}}, {WM_MOUSEMOVE, {105, 100}}}, true},
      {"5 pixels up", {{WM_MOUSEMOVE, {100, 100}}, {WM_MOUSEMOVE, {100, 95}}}, true},
      {"a key", {{WM_KEYDOWN, {}}}, true},
      {"a left click", {{WM_LBUTTONDOWN, {}}}, true},
      {"a right click", {{WM_RBUTTONDOWN, {}}}, true},
  };
  static GdiplusSession gdiplus;
  for (const Row& row : rows) {
    SetCursorPos(100, 100);
    SaverWindow window(Settings(5, false, true));
    ASSERT_TRUE(window.CreateSaver(RECT{0, 0, 200, 150}, nullptr)) << row.name;
    ShowCursor(TRUE);
    for (const auto& [msg, at] : row.input) SendMessageW(window.hwnd(), msg, 0, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(window.hwnd() == nullptr, row.ends) << row.name;
    MSG quit;
    EXPECT_EQ(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0, row.ends) << row.name << ": end of the loop";
  }
}

std::wstring TempFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"lumivale-core-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(f);
  return written == bytes.size();
}

TEST(CoreMusic, MciOpensAPlayableFileAndStaysSilentForAMissingOrBrokenOne) {
  const std::wstring folder = TempFolder();
  // A second of 16-bit silence as a WAV file: MCI's waveaudio device opens it everywhere.
  const std::uint32_t rate = 22050, data = rate * 2;
  std::string wav = "RIFF";
  auto put = [&wav](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) wav.push_back(static_cast<char>(v >> (8 * i)));
  };
  put(36 + data, 4);
  wav += "WAVEfmt ";
  put(16, 4), put(1, 2), put(1, 2), put(rate, 4), put(rate * 2, 4), put(2, 2), put(16, 2);
  wav += "data";
  put(data, 4);
  wav.append(data, '\0');
  ASSERT_TRUE(WriteBytes(folder + L"\\music.wav", wav));
  ASSERT_TRUE(WriteBytes(folder + L"\\broken.wav", "RIFF but nothing of a sound file"));

  UniqueWindow window(CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
  HWND notify = window.get();
  {
    Music music;
    EXPECT_TRUE(music.Play(folder + L"\\music.wav", notify));
    EXPECT_EQ(music.DeviceType(), L"waveaudio");
    // Without an output device (this machine's case) the play is accepted and fails at once.
    EXPECT_EQ(music.Mode(), waveOutGetNumDevs() > 0 ? L"playing" : L"stopped") << waveOutGetNumDevs() << " devices";
  }
  for (const wchar_t* name : {L"\\missing.mp3", L"\\broken.wav"}) {
    Music music;
    EXPECT_FALSE(music.Play(folder + name, notify)) << name;
    EXPECT_EQ(music.Mode(), L"") << name;
  }
}

}  // namespace
