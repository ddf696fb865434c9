// The reference core: its pictures, input and music through its own parts in this process, and its
// three roads (/s, /p, "設定") as the real program.
#include <gtest/gtest.h>
#include <windows.h>

#include <mmsystem.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tools/reference-core/saver_window_win.h"
#include "base/wide.h"
#include "settings/settings_file.h"
#include "tests/geometry_print.h"
#include "ui/handles.h"

namespace {

constexpr DWORD kDeadline = 20000;
constexpr std::uint32_t kWhite = 0xFFFFFF, kDesktop = 0x0080FF;  // the desktop: RGB(0, 128, 255)

// What the window shows after `frames` frames ending 3 s into the animation (the whole picture
// first, then only the parts each frame changed), read back as 0xRRGGBB.
std::vector<std::uint32_t> Frame(SettingsRecord settings, int width, int height, const DesktopSnapshot* desktop,
                                 int frames = 1) {
  static GdiplusSession gdiplus;
  SaverPicture picture(settings);
  DibSection out;
  EXPECT_TRUE(picture.SetTarget(Box(0, 0, width, height), desktop));
  EXPECT_TRUE(out.Create(width, height));
  picture.CopyTo(out.dc(), RECT{0, 0, width, height});
  for (int i = frames - 1; i >= 0; --i) {
    picture.Render(3.0 - i * 0.04);
    for (const RECT& area : picture.Changed()) picture.CopyTo(out.dc(), area);
  }
  GdiFlush();
  std::vector<std::uint32_t> pixels(out.bits(), out.bits() + static_cast<size_t>(width) * height);
  for (auto& p : pixels) p &= 0xFFFFFF;
  return pixels;
}

// The desktop in one colour: a topmost window over the whole screen while the snapshot is taken,
// once the screen itself has the colour (drawing reaches the X server asynchronously).
bool PaintDesktop(std::optional<DesktopSnapshot>& shot) {
  UniqueBrush brush(CreateSolidBrush(RGB(0, 128, 255)));  // outlives the window that paints with it
  WNDCLASSW wc{0, DefWindowProcW, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr, brush.get(), nullptr, L"Desktop"};
  RegisterClassW(&wc);
  UniqueWindow window(CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE,
                                      GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                                      GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN),
                                      nullptr, nullptr, wc.hInstance, nullptr));
  for (DWORD start = GetTickCount(); GetTickCount() - start < kDeadline; Sleep(20)) {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    RedrawWindow(window.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const std::uint32_t* bits = shot.emplace().picture().bits();
    if (bits && (bits[0] & 0xFFFFFF) == kDesktop) return true;
  }
  return false;
}

TEST(CorePicture, BackgroundIsWhiteWithOmake2AndTheDesktopOtherwiseAroundAndThroughTheScene) {
  std::optional<DesktopSnapshot> desktop;
  ASSERT_TRUE(PaintDesktop(desktop)) << "the desktop never got its colour";
  const DesktopSnapshot* shot = &*desktop;
  // scene: where the picture differs from the background, white or the desktop.
  struct Row { const char* name; bool natural; int width, height; Rect scene; } rows[] = {
      {"fitted on a wide target", false, 800, 250, {200, 0, 600, 250}},
      {"fitted on a tall target", false, 400, 400, {0, 75, 400, 325}},
      {"natural size, centred", true, 1280, 800, {440, 275, 840, 525}},
  };
  for (const Row& row : rows)
    for (const bool white : {true, false}) {
      const auto pixels = Frame(SettingsRecord{5, {}, row.natural, white}, row.width, row.height, shot);
      RECT changed{row.width, row.height, 0, 0};
      for (int y = 0; y < row.height; ++y)
        for (int x = 0; x < row.width; ++x)
          if (pixels[static_cast<size_t>(y) * row.width + x] != (white ? kWhite : kDesktop)) {
            const RECT pixel{x, y, x + 1, y + 1};
            UnionRect(&changed, &changed, &pixel);
          }
      EXPECT_EQ((Rect{changed.left, changed.top, changed.right, changed.bottom}), row.scene)
          << row.name << (white ? ", white" : ", desktop");
    }
  // The sky is not opaque: the same corner of the night is lighter over white than over the desktop.
  const auto overWhite = Frame(SettingsRecord{5, {}, false, true}, 400, 250, shot)[5 * 400 + 20];
  const auto overDesktop = Frame(SettingsRecord{5, {}, false, false}, 400, 250, shot)[5 * 400 + 20];
  EXPECT_GT(int(overWhite >> 16), int(overDesktop >> 16) + 20) << "red over white";
  EXPECT_GT(int(overDesktop & 255), int(overWhite & 255) - 10) << "blue over desktop";
}

TEST(CorePicture, NearestPixelShowsHardEdgesWhereTheSmoothFiltersBlendAndPartsMatchTheWhole) {
  // A column down the sky and the hills at 1280x800 (3.2 times the frame). Nearest pixel repeats
  // the frame's pixels: at most as many colours as the frame is high. A smooth filter makes new
  // colours between them.
  size_t colours[6] = {};
  std::vector<std::uint32_t> frames[6];
  for (std::uint8_t mode = 0; mode < 6; ++mode) {
    frames[mode] = Frame(SettingsRecord{mode, {}, false, true}, 1280, 800, nullptr);
    std::set<std::uint32_t> column;
    for (int y = 0; y < 800; ++y) column.insert(frames[mode][y * 1280 + 100]);
    colours[mode] = column.size();
    std::printf("InterpolationMode %d: %zu colours down the column; frame %s bilinear's\n", mode, colours[mode],
                frames[mode] == frames[3] ? "equals" : "differs from");
  }
  EXPECT_LE(colours[4], static_cast<size_t>(kSceneHeight));
  EXPECT_GT(colours[3], colours[4] * 3 / 2) << "bilinear";
  // Every other filter is one of the two: the setting reaches GDI+.
  for (int mode : {0, 1, 2, 5}) EXPECT_NE(frames[mode], frames[4]) << "mode " << mode << " is not smooth";
  // After frames shown part by part, the screen holds exactly the picture drawn whole.
  for (std::uint8_t mode : {0, 3, 4})
    EXPECT_EQ(Frame(SettingsRecord{mode, {}, false, true}, 1280, 800, nullptr, 40), frames[mode]) << "mode " << mode;
}

// The saver's window in this process over a corner of the screen, sent what a user's input sends.
TEST(CoreInput, TheSaverEndsOnAKeyAClickOrAMoveOfMoreThanFourPixelsButNotOnTheFirstMoveOrAJitter) {
  // input: messages and the pointer's position (screen) with each.
  struct Row { const char* name; std::vector<std::pair<UINT, POINT>> input; bool ends; } rows[] = {
      {"the first move, however far", {{WM_MOUSEMOVE, {180, 140}}}, false},
      {"jitter of 4 pixels", {{WM_MOUSEMOVE, {100, 100}}, {WM_MOUSEMOVE, {104, 96}}, {WM_MOUSEMOVE, {96, 104}}}, false},
      {"5 pixels right", {{WM_MOUSEMOVE, {100, 100}}, {WM_MOUSEMOVE, {105, 100}}}, true},
      {"5 pixels up", {{WM_MOUSEMOVE, {100, 100}}, {WM_MOUSEMOVE, {100, 95}}}, true},
      {"a key", {{WM_KEYDOWN, {}}}, true}, {"a left click", {{WM_LBUTTONDOWN, {}}}, true},
      {"a right click", {{WM_RBUTTONDOWN, {}}}, true},
  };
  static GdiplusSession gdiplus;
  for (const Row& row : rows) {
    SetCursorPos(100, 100);
    SaverWindow window(SettingsRecord{5, {}, false, true});
    ASSERT_TRUE(window.CreateSaver(RECT{0, 0, 200, 150}, nullptr)) << row.name;
    ShowCursor(TRUE);
    for (const auto& [msg, at] : row.input) SendMessageW(window.hwnd(), msg, 0, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(window.hwnd() == nullptr, row.ends) << row.name;
    MSG quit;
    EXPECT_EQ(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0, row.ends) << row.name << ": loop's end";
  }
}

// A folder of this run's own, as the core's APPDATA and for its files.
std::wstring Folder() {
  auto folder = std::filesystem::temp_directory_path() / L"lumivale-core-";
  folder += std::to_wstring(GetCurrentProcessId());
  std::filesystem::create_directories(folder / L"Lumivale!!");
  return folder.wstring();
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  return static_cast<bool>(std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes);
}

std::string ReadBytes(const std::wstring& path) {
  std::ifstream f(std::filesystem::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

TEST(CoreMusic, MciOpensAPlayableFileAndStaysSilentForAMissingOrBrokenOne) {
  const std::wstring folder = Folder();
  // A second of 16-bit mono silence as a WAV file: MCI's waveaudio device opens it everywhere.
  auto le = [](std::uint32_t v, int bytes) { return std::string(reinterpret_cast<const char*>(&v), bytes); };
  ASSERT_TRUE(WriteBytes(folder + L"\\music.wav", "RIFF" + le(36 + 44100, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) +
                                                      le(1, 2) + le(22050, 4) + le(44100, 4) + le(2, 2) + le(16, 2) +
                                                      "data" + le(44100, 4) + std::string(44100, '\0')));
  ASSERT_TRUE(WriteBytes(folder + L"\\broken.wav", "RIFF but nothing of a sound file"));
  UniqueWindow window(CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
  struct Row { const wchar_t *name; bool opens; const wchar_t *device, *mode; } rows[] = {
      {L"\\music.wav", true, L"waveaudio", waveOutGetNumDevs() > 0 ? L"playing" : L"stopped"},
      {L"\\missing.mp3", false, L"", L""}, {L"\\broken.wav", false, L"", L""}};
  // Without an output device (this machine's case) a play is accepted and fails at once.
  for (const Row& row : rows) {
    Music music;
    EXPECT_EQ(music.Play(folder + row.name, window.get()), row.opens) << row.name;
    EXPECT_EQ(music.DeviceType(), row.device) << row.name;
    EXPECT_EQ(music.Mode(), row.mode) << row.name << ", " << waveOutGetNumDevs() << " devices";
  }
}

// The real LumivaleCore.dll of the build, started with a settings file it must leave as it is.
class CoreProcess : public ::testing::Test {
 protected:
  void Start(const std::wstring& arguments, const std::string& settings) {
    settings_ = settings;
    ASSERT_TRUE(WriteBytes(SettingsPath(), settings));
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring core = std::filesystem::path(path).replace_filename(L"LumivaleCore.dll").wstring();
    SetEnvironmentVariableW(L"APPDATA", folder_.c_str());  // inherited by the core
    std::wstring line = L"\"" + core + L"\" " + arguments;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    ASSERT_TRUE(CreateProcessW(core.c_str(), line.data(), nullptr, nullptr, 0, 0, nullptr, nullptr, &si, &process_));
    thread_.reset(process_.hThread), processHandle_.reset(process_.hProcess);
  }
  void TearDown() override {
    if (processHandle_) TerminateProcess(processHandle_.get(), 1);  // only a core a failed test left behind
    EXPECT_EQ(ReadBytes(SettingsPath()), settings_) << "the core wrote its settings";
  }
  std::wstring SettingsPath() const { return Wide(SettingsPathIn(FromWide(folder_))); }
  // The core's window with this title (or inside `parent`), once it is there.
  HWND WaitForWindow(const wchar_t* title, HWND parent = nullptr) {
    HWND found = nullptr;
    for (DWORD start = GetTickCount(); GetTickCount() - start < kDeadline && !found; Sleep(20))
      found = FindWindowExW(parent, nullptr, L"LumivaleReferenceCore", title);
    return found;
  }
  bool Ended(DWORD ms = kDeadline) { return WaitForSingleObject(process_.hProcess, ms) == WAIT_OBJECT_0; }

  std::wstring folder_ = Folder();
  std::string settings_;
  PROCESS_INFORMATION process_{};
  UniqueHandle thread_, processHandle_;
};

TEST_F(CoreProcess, PreviewDrawsInsideItsWindowAndEndsWhenThatWindowGoes) {
  UniqueWindow preview(CreateWindowW(L"STATIC", L"preview", WS_POPUP | WS_VISIBLE, 50, 50, 152, 112, nullptr,
                                     nullptr, nullptr, nullptr));
  Start(L"/p " + std::to_wstring(reinterpret_cast<INT_PTR>(preview.get())), "");
  ASSERT_NE(WaitForWindow(nullptr, preview.get()), nullptr);
  EXPECT_FALSE(Ended(0));
  preview.reset();
  EXPECT_TRUE(Ended());
}

TEST_F(CoreProcess, SettingsWindowShowsAStillPictureAndEndsTheCoreWhenClosed) {
  Start(L"/c", "\xEF\xBB\xBF<lumivalescreenserver><Omake1>1</Omake1>");
  HWND settings = WaitForWindow(L"設定");
  ASSERT_NE(settings, nullptr);
  EXPECT_EQ(GetParent(settings), nullptr);
  DWORD_PTR frames = 1;  // the frames the window has shown: its picture is still
  EXPECT_TRUE(SendMessageTimeoutW(settings, kFramesShownMessage, 0, 0, SMTO_ABORTIFHUNG, 5000, &frames));
  EXPECT_EQ(frames, 0u);
  EXPECT_TRUE(SendMessageTimeoutW(settings, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr));
  EXPECT_TRUE(Ended());
}

}  // namespace
