#pragma once
// An in-memory disk for the settings reader and writer: files, folders, and a folder that cannot
// be made because its parent is missing. Tests narrow or widen what exists by overriding.
#include <map>
#include <set>

#include "settings/settings_file.h"

class MemoryDisk : public SettingsFileSystem {
 public:
  std::map<Text, Bytes> files;
  std::set<Text> folders{u"C:\\AppData"};
  std::set<Text> flagged;  // files with an attribute such as read-only or hidden
  int writes = 0;

  IoResult ReadAll(const Text& path, Bytes& content) override {
    if (!FolderExists(path.substr(0, path.rfind(u'\\')))) return IoResult::PathNotFound;
    const auto it = files.find(path);
    if (it == files.end()) return IoResult::Failed;
    content = it->second;
    return IoResult::Ok;
  }
  bool FileExists(const Text& path) override { return files.count(path) > 0; }
  bool FolderExists(const Text& path) override { return folders.count(path) > 0; }
  bool HasPlainAttributes(const Text& path) override { return FileExists(path) && !flagged.count(path); }
  IoResult CreateFolder(const Text& path) override {
    if (!FolderExists(path.substr(0, path.rfind(u'\\')))) return IoResult::PathNotFound;
    folders.insert(path);
    return IoResult::Ok;
  }
  IoResult ReplaceContents(const Text& path, const Bytes& content) override {
    ++writes;
    files[path] = content;
    return IoResult::Ok;
  }
};
