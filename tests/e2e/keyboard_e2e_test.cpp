// The settings dialog and its question without a mouse, and as a screen reader in another process
// sees them: real key presses, names read back through the dialog's accessible objects.
#include <oleacc.h>
#include <gtest/gtest.h>

#include <vector>

#include "e2e_support.h"

namespace {

// An interface pointer released with its scope.
template <class T>
struct Com {
  T* p = nullptr;
  Com() = default;
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  ~Com() {
    if (p) p->Release();
  }
  T* operator->() const { return p; }
};

VARIANT Self() {
  VARIANT v{};
  v.vt = VT_I4;
  v.lVal = CHILDID_SELF;
  return v;
}
std::wstring NameOf(IAccessible* object) {
  BSTR name = nullptr;
  if (!object || object->get_accName(Self(), &name) != S_OK || !name) return L"";
  std::wstring text(name);
  SysFreeString(name);
  return text;
}
std::wstring ValueOf(IAccessible* object) {
  BSTR value = nullptr;
  if (object->get_accValue(Self(), &value) != S_OK || !value) return L"";
  std::wstring text(value);
  SysFreeString(value);
  return text;
}
LONG Number(IAccessible* object, HRESULT (STDMETHODCALLTYPE IAccessible::*ask)(VARIANT, VARIANT*), LONG child = 0) {
  VARIANT id = Self(), out{};
  id.lVal = child;
  return (object->*ask)(id, &out) == S_OK && out.vt == VT_I4 ? out.lVal : -1;
}
void ObjectOf(HWND window, Com<IAccessible>& object) {
  AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                             reinterpret_cast<void**>(&object.p));
}

// The reader's name of the window that has the keyboard in the dialog's thread.
std::wstring FocusName(HWND dialog) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) || !info.hwndFocus) return L"";
  Com<IAccessible> object;
  ObjectOf(info.hwndFocus, object);
  return NameOf(object.p);
}

class Keyboard : public ProgramRun {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    CoInitialize(nullptr);
  }
  void TearDown() override {
    CoUninitialize();
    ProgramRun::TearDown();
  }
  void Open(Process& host) {
    ASSERT_TRUE(StartHost(host, L"/c", L""));
    dialog = WaitForWindow(L"Lumivale! Screen Saver - Setting");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitReady(dialog));
  }
  HWND dialog = nullptr;
};

const wchar_t* const kPath = L"BGM 경로";
const wchar_t* const kFolder = L"BGM 변경";
const wchar_t* const kSave = L"설정 저장 (Enter)";
const wchar_t* const kYes = L"예 (Enter)";
const wchar_t* const kNo = L"아니요 (Esc)";
const wchar_t* const kSync = L"화면과 동기화 하지 않음";

// A key (with Shift held or not) and where the keyboard is after it: a control's name to a reader.
struct Stroke {
  WORD key;
  bool shift;
  const wchar_t* focus;
};
// An injected Shift is not always seen at once by the receiving thread (docs/DEVELOPING.md): it is
// held a while around the key.
void Press(const Stroke& s) {
  if (s.shift) Key(VK_SHIFT, false), Sleep(150);
  PressKey(s.key);
  if (s.shift) Sleep(150), Key(VK_SHIFT, true);
}

// Each road from the dialog as it opens, then Enter: the file it saves.
TEST_F(Keyboard, RoadsOfTabShiftTabArrowsSpaceAndEscEndInTheSavedFile) {
  const struct {
    const char* name;
    std::uint8_t storedMode;
    std::vector<Stroke> strokes;
    std::uint8_t mode;
    bool omake1;
  } roads[] = {
      {"Tab goes round in reading order and wraps", 5,
       {{VK_TAB, false, kPath}, {VK_TAB, false, kFolder}, {VK_TAB, false, L"기본값"}, {VK_TAB, false, kSync},
        {VK_TAB, false, L"배경을 흰색으로 처리"}, {VK_TAB, false, L"파보 PV 영상보기"}, {VK_TAB, false, L"Orvane Team"},
        {VK_TAB, false, kSave}, {VK_TAB, false, kPath}},
       5, false},
      {"Shift+Tab goes back from the last (Enter on a link would open it: back to the save button)", 5,
       {{VK_TAB, true, kSave}, {VK_TAB, true, L"Orvane Team"}, {VK_TAB, false, kSave}}, 5, false},
      {"arrows choose an option, wrapping", 5,
       {{VK_TAB, false, kPath}, {VK_TAB, false, kFolder}, {VK_TAB, false, L"기본값"}, {VK_DOWN, false, L"고화질 Bicubic"},
        {VK_RIGHT, false, L"고화질 Bilinear"}, {VK_UP, false, L"고화질 Bicubic"}, {VK_LEFT, false, L"기본값"},
        {VK_UP, false, L"선명하게 (무처리)"}},
       4, false},
      {"with no option shown (mode 7) the group's stop is the first, and an arrow chooses it", 7,
       {{VK_TAB, false, kPath}, {VK_TAB, false, kFolder}, {VK_TAB, false, L"고화질 Bicubic"}, {VK_UP, false, L"고화질 Bicubic"}},
       0, false},
      {"Space toggles a check box", 5,
       {{VK_TAB, true, kSave}, {VK_TAB, true, L"Orvane Team"}, {VK_TAB, true, L"파보 PV 영상보기"},
        {VK_TAB, true, L"배경을 흰색으로 처리"}, {VK_TAB, true, kSync}, {VK_SPACE, false, kSync}},
       5, true},
      {"Esc with a change asks; Tab to No, Space keeps the dialog and the keyboard's place", 5,
       {{VK_TAB, true, kSave}, {VK_TAB, true, L"Orvane Team"}, {VK_TAB, true, L"파보 PV 영상보기"},
        {VK_TAB, true, L"배경을 흰색으로 처리"}, {VK_TAB, true, kSync}, {VK_SPACE, false, kSync}, {VK_ESCAPE, false, kYes},
        {VK_TAB, false, kNo}, {VK_LEFT, false, kYes}, {VK_TAB, true, kNo}, {VK_SPACE, false, kSync}},
       5, true},
  };
  for (const auto& road : roads) {
    SCOPED_TRACE(road.name);
    CreateDirectoryW((appData + L"\\Lumivale!!").c_str(), nullptr);
    ASSERT_TRUE(WriteFileBytes(SettingsFile(), FileOf({road.storedMode, u"", false, false})));
    DeleteFileW(log.c_str());
    Process host;
    Open(host);
    for (const Stroke& stroke : road.strokes) {
      Press(stroke);
      std::wstring now;
      EXPECT_TRUE(WaitUntil([&] { return (now = FocusName(dialog)) == stroke.focus; }, 10000))
          << Utf8(now) << " instead of " << Utf8(stroke.focus);
      WaitReady(GetForegroundWindow());
    }
    ASSERT_TRUE(WaitReady(dialog));
    PressKey(VK_RETURN);
    ASSERT_TRUE(host.WaitExit(kDeadline));
    EXPECT_EQ(ReadFileBytes(SettingsFile()), FileOf({road.mode, u"", road.omake1, false}));
    EndCore();
  }
}

// What a reader sees of one control: its name, role, value and the states that must be set.
struct Seen {
  const wchar_t* name;
  LONG role;
  LONG states;
};

// The window of the latest focus event a reader's hook received (a named CALLBACK: a lambda does
// not convert to the stdcall procedure of the i686 build).
HWND focused = nullptr;
std::string events;
void CALLBACK OnFocusEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  events += std::to_string(reinterpret_cast<INT_PTR>(window)) + "/" + std::to_string(object) + "/" + std::to_string(child) + " ";
  if (object == OBJID_CLIENT) focused = window;
}

TEST_F(Keyboard, AReaderInAnotherProcessSeesTheDialogAndTheQuestionAndTheirFocus) {
  Process host;
  Open(host);
  Com<IAccessible> form;
  ObjectOf(dialog, form);
  ASSERT_NE(form.p, nullptr);
  EXPECT_EQ(NameOf(form.p), L"Lumivale! Screen Saver - Setting");
  EXPECT_EQ(Number(form.p, &IAccessible::get_accRole), ROLE_SYSTEM_DIALOG);

  constexpr LONG kFocusable = STATE_SYSTEM_FOCUSABLE, kChecked = STATE_SYSTEM_CHECKED;
  const Seen controls[] = {
      {kPath, ROLE_SYSTEM_TEXT, kFocusable},
      {kFolder, ROLE_SYSTEM_PUSHBUTTON, kFocusable},
      {L"고화질 Bicubic", ROLE_SYSTEM_RADIOBUTTON, kFocusable},
      {L"고화질 Bilinear", ROLE_SYSTEM_RADIOBUTTON, kFocusable},
      {L"Bicubic", ROLE_SYSTEM_RADIOBUTTON, kFocusable},
      {L"Bilinear", ROLE_SYSTEM_RADIOBUTTON, kFocusable},
      {L"선명하게 (무처리)", ROLE_SYSTEM_RADIOBUTTON, kFocusable},
      {L"기본값", ROLE_SYSTEM_RADIOBUTTON, kFocusable | kChecked},
      {kSync, ROLE_SYSTEM_CHECKBUTTON, kFocusable},
      {L"배경을 흰색으로 처리", ROLE_SYSTEM_CHECKBUTTON, kFocusable},
      {L"파보 PV 영상보기", ROLE_SYSTEM_LINK, kFocusable},
      {L"Orvane Team", ROLE_SYSTEM_LINK, kFocusable},
      {kSave, ROLE_SYSTEM_PUSHBUTTON, kFocusable},
      {L"환경설정 닫기", ROLE_SYSTEM_PUSHBUTTON, kFocusable},
  };
  VARIANT children[16]{};
  LONG got = 0;
  ASSERT_TRUE(SUCCEEDED(AccessibleChildren(form.p, 0, 16, children, &got)));
  ASSERT_EQ(got, static_cast<LONG>(std::size(controls)));
  std::vector<IAccessible*> objects;
  for (LONG i = 0; i < got; ++i) {
    IAccessible* child = nullptr;
    if (children[i].vt == VT_DISPATCH) children[i].pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&child));
    VariantClear(&children[i]);
    objects.push_back(child);
    ASSERT_NE(child, nullptr) << i;
    const Seen& want = controls[i];
    EXPECT_EQ(NameOf(child), want.name) << i;
    EXPECT_EQ(Number(child, &IAccessible::get_accRole), want.role) << Utf8(want.name);
    EXPECT_EQ(Number(child, &IAccessible::get_accState) & (kFocusable | kChecked), want.states) << Utf8(want.name);
  }
  EXPECT_EQ(ValueOf(objects[0]), L"");  // the path box: the path as its value, none at first

  // The first check box's default action is its click: the setting changes, and is saved.
  ASSERT_EQ(objects[8]->accDoDefaultAction(Self()), S_OK);
  EXPECT_TRUE(WaitUntil([&] { return (Number(objects[8], &IAccessible::get_accState) & kChecked) != 0; }));

  // Focus events reach a reader's hook: the first Tab's lands on the path box.
  const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, OnFocusEvent,
                                             host.pi.dwProcessId, 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  const HWND pathBox = FindWindowExW(dialog, nullptr, L"Edit", nullptr);
  PressKey(VK_TAB);
  EXPECT_TRUE(WaitUntil([&] {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    return focused != nullptr && focused == pathBox;
  })) << events << " box " << reinterpret_cast<INT_PTR>(pathBox);
  UnhookWinEvent(hook);
  EXPECT_NE(Number(objects[0], &IAccessible::get_accState) & STATE_SYSTEM_FOCUSED, 0);
  for (IAccessible* object : objects) object->Release();

  // The question: its title, its prompt as static text, its buttons, Yes with the keyboard.
  PressKey(VK_ESCAPE);
  HWND box = WaitForWindow(L"설정 무시하고 닫기");
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(WaitReady(box));
  Com<IAccessible> question;
  ObjectOf(box, question);
  ASSERT_NE(question.p, nullptr);
  EXPECT_EQ(NameOf(question.p), L"설정 무시하고 닫기");
  EXPECT_EQ(Number(question.p, &IAccessible::get_accRole), ROLE_SYSTEM_DIALOG);
  LONG count = 0;
  ASSERT_TRUE(SUCCEEDED(AccessibleChildren(question.p, 0, 16, children, &count)));
  ASSERT_EQ(count, 3);
  ASSERT_EQ(children[0].vt, VT_I4);  // the prompt, a simple element of the box
  BSTR prompt = nullptr;
  ASSERT_EQ(question->get_accName(children[0], &prompt), S_OK);
  EXPECT_EQ(std::wstring(prompt), L"설정이 저장되지 않습니다.\r\n종료하시겠습니까?");
  SysFreeString(prompt);
  EXPECT_EQ(Number(question.p, &IAccessible::get_accRole, children[0].lVal), ROLE_SYSTEM_STATICTEXT);
  const Seen buttons[] = {{kYes, ROLE_SYSTEM_PUSHBUTTON, kFocusable | STATE_SYSTEM_FOCUSED},
                          {kNo, ROLE_SYSTEM_PUSHBUTTON, kFocusable}};
  for (int i = 0; i < 2; ++i) {
    Com<IAccessible> button;
    ASSERT_EQ(children[i + 1].vt, VT_DISPATCH);
    children[i + 1].pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&button.p));
    VariantClear(&children[i + 1]);
    ASSERT_NE(button.p, nullptr);
    EXPECT_EQ(NameOf(button.p), buttons[i].name);
    EXPECT_EQ(Number(button.p, &IAccessible::get_accRole), buttons[i].role);
    EXPECT_EQ(Number(button.p, &IAccessible::get_accState) & (kFocusable | STATE_SYSTEM_FOCUSED), buttons[i].states);
  }
  PressKey(VK_RETURN);  // Yes: the program ends without saving
  ASSERT_TRUE(host.WaitExit(kDeadline));
}

}  // namespace
