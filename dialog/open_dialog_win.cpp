#include "dialog/open_dialog.h"

#include <commdlg.h>

#include "msgbox/msgbox_service.h"
#include "base/wide.h"
#include "dialog/file_filter.h"
#include "ui/late_load.h"

namespace {

constexpr DWORD kBufferChars = 20000;

std::wstring CurrentFolder() {
  const DWORD n = GetCurrentDirectoryW(0, nullptr);
  std::wstring folder(n, L'\0');
  const DWORD got = GetCurrentDirectoryW(n, folder.data());
  folder.resize(got < n ? got : 0);
  return folder;
}

}  // namespace

bool ShowOpenDialog(HWND owner, DWORD& flags, std::wstring& fileName, const std::wstring& title,
                    std::wstring& filter, const std::wstring& initialFolder) {
  EnableForms(false);
  bool chosen = false;
  if (fileName.size() > kBufferChars) {
    ShowMsgBox(L"파일 열기/저장 다이어로그 호출 에러 발생.", MB_ICONEXCLAMATION, L"DLL호출 에러", owner);
    EnableForms(true);
    return false;
  }
  // One character more than the dialog is told about, so the buffers always end in a NUL even
  // when the name fills all of them.
  std::wstring file = fileName;
  file.resize(kBufferChars + 1, L'\0');
  std::wstring fileTitle(kBufferChars + 1, L'\0');
  std::wstring custom(kBufferChars + 1, L'\0');
  const std::wstring converted = Wide(ConvertFilter(FromWide(filter)));
  const std::wstring folder = initialFolder.empty() ? CurrentFolder() : initialFolder;
  const std::wstring defExt;

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = converted.c_str();
  ofn.lpstrCustomFilter = custom.data();
  ofn.nMaxCustFilter = kBufferChars;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = kBufferChars;
  ofn.lpstrFileTitle = fileTitle.data();
  ofn.nMaxFileTitle = kBufferChars;
  ofn.lpstrInitialDir = folder.c_str();
  ofn.lpstrTitle = title.c_str();
  ofn.Flags = flags;
  ofn.lpstrDefExt = defExt.c_str();

  static auto* const getOpenFileName = LateFunction<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
  if (!getOpenFileName || !getOpenFileName(&ofn)) {
    flags = 0;
    fileName.clear();
  } else {
    fileName = file.substr(0, file.find(L'\0'));  // the name ends at its first NUL
    filter = Wide(PatternInEffect(FromWide(custom)));
    flags = ofn.Flags;
    chosen = true;
  }
  EnableForms(true);
  return chosen;
}
