#include "settings/settings_store.h"

#include <algorithm>
#include <new>

#include "base/handle_win.h"
#include "base/system_win.h"
#include "base/wide.h"

namespace {

IoResult FromLastError() {
  const DWORD e = GetLastError();
  return (e == ERROR_PATH_NOT_FOUND) ? IoResult::PathNotFound : IoResult::Failed;
}

// ERROR_SUCCESS, or why not every byte was written.
DWORD WriteAll(const SettingsDiskCalls& calls, HANDLE file, const Bytes& content) {
  std::size_t done = 0;
  while (done < content.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1u << 20));
    DWORD written = 0;
    if (!calls.writeFile(file, content.data() + done, chunk, &written, nullptr)) return GetLastError();
    if (written == 0) return ERROR_WRITE_FAULT;  // no progress, no error either
    done += written;
  }
  return ERROR_SUCCESS;
}

}  // namespace

IoResult Win32SettingsFileSystem::ReadAll(const Text& path, Bytes& content) {
  UniqueHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return FromLastError();
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return IoResult::Failed;
  try {
    content.assign(static_cast<std::size_t>(size.QuadPart), 0);
  } catch (const std::bad_alloc&) {
    content.clear();
    return IoResult::Failed;
  }
  std::size_t done = 0;
  while (done < content.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1u << 20));
    DWORD got = 0;
    // A read error is an unreadable file, not a shorter one; an early end is a file that shrank.
    if (!calls_.readFile(file.get(), content.data() + done, chunk, &got, nullptr)) {
      content.clear();
      return IoResult::Failed;
    }
    if (got == 0) break;
    done += got;
  }
  content.resize(done);
  return IoResult::Ok;
}

bool Win32SettingsFileSystem::FileExists(const Text& path) {
  const DWORD a = GetFileAttributesW(Wide(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32SettingsFileSystem::FolderExists(const Text& path) {
  const DWORD a = GetFileAttributesW(Wide(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32SettingsFileSystem::HasPlainAttributes(const Text& path) {
  // A new file is marked for archiving; anything else is what a rewrite would clear.
  const DWORD a = GetFileAttributesW(Wide(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & ~DWORD{FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL}) == 0;
}

IoResult Win32SettingsFileSystem::Failure(DWORD error) {
  if (error == ERROR_SUCCESS) error = ERROR_WRITE_FAULT;  // failed without saying why
  if (firstError_ == ERROR_SUCCESS) firstError_ = error;
  return error == ERROR_PATH_NOT_FOUND ? IoResult::PathNotFound : IoResult::Failed;
}

IoResult Win32SettingsFileSystem::CreateFolder(const Text& path) {
  if (calls_.createDirectory(Wide(path).c_str(), nullptr)) return IoResult::Ok;
  const DWORD error = GetLastError();
  return error == ERROR_ALREADY_EXISTS ? IoResult::Ok : Failure(error);
}

IoResult Win32SettingsFileSystem::ReplaceContents(const Text& path, const Bytes& content) {
  const std::wstring target = Wide(path);
  const std::wstring temp = target + L".new";
  calls_.setFileAttributes(temp.c_str(), FILE_ATTRIBUTE_NORMAL);  // a leftover of an earlier failure
  {
    UniqueHandle file(
        calls_.createFile(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return Failure(GetLastError());
    DWORD error = WriteAll(calls_, file.get(), content);
    if (error == ERROR_SUCCESS && !calls_.flushFileBuffers(file.get())) error = GetLastError();
    if (error != ERROR_SUCCESS) {
      file.reset();
      calls_.deleteFile(temp.c_str());
      Failure(error);
      return IoResult::Failed;
    }
  }
  // Read-only and hidden do not survive a rewrite; they are put back if the move fails.
  const DWORD oldAttributes = calls_.getFileAttributes(target.c_str());
  if (oldAttributes != INVALID_FILE_ATTRIBUTES) calls_.setFileAttributes(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!calls_.moveFileEx(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const IoResult failure = Failure(GetLastError());
    if (oldAttributes != INVALID_FILE_ATTRIBUTES) calls_.setFileAttributes(target.c_str(), oldAttributes);
    calls_.deleteFile(temp.c_str());
    return failure;
  }
  return IoResult::Ok;
}

std::wstring DefaultBgmPath() { return Wide(DefaultBgmPathFor(FromWide(ProgramFolder()))); }

SettingsState& ProgramSettings() {
  static SettingsState state;
  return state;
}

std::wstring SettingsFilePath() { return Wide(SettingsPathIn(FromWide(EnvironmentText(L"APPDATA")))); }

void LoadSettings(SettingsState& state) {
  Win32SettingsFileSystem fs;
  LoadSettingsFrom(fs, FromWide(state.SettingsPath), FromWide(DefaultBgmPath()), state.Settings);
}

DWORD SaveSettings(const SettingsState& state, const SettingsDiskCalls& calls) {
  Win32SettingsFileSystem fs(calls);
  if (SaveSettingsTo(fs, FromWide(state.SettingsPath), state.Settings)) return ERROR_SUCCESS;
  // No settings path makes no disk call: the path is what is not there.
  return fs.FirstError() != ERROR_SUCCESS ? fs.FirstError() : ERROR_PATH_NOT_FOUND;
}
