#pragma once
// The settings file: its record, its fixed template and its tolerant tag-search reader.
// The file system is reached through SettingsFileSystem so that every rule is tested natively.
#include <cstdint>
#include <optional>

#include "base/utf.h"

struct SettingsRecord {
  std::uint8_t InterpolationMode = 0;
  Text BGMfile;
  bool Omake1 = false;
  bool Omake2 = false;
  friend bool operator==(const SettingsRecord&, const SettingsRecord&) = default;
};

enum class IoResult { Ok, PathNotFound, Failed };

class SettingsFileSystem {
 public:
  virtual ~SettingsFileSystem() = default;
  virtual IoResult ReadAll(const Text& path, Bytes& content) = 0;
  // A file of exactly this name, hidden ones included; no wildcard is expanded, folders do not count.
  virtual bool FileExists(const Text& path) = 0;
  virtual bool FolderExists(const Text& path) = 0;
  // The file has only the attributes a rewrite gives it (none read-only, hidden, system...).
  virtual bool HasPlainAttributes(const Text& path) = 0;
  virtual IoResult CreateFolder(const Text& path) = 0;
  // Puts the bytes in place of whatever is at path with normal attributes; on failure the old
  // file must still be there, whole.
  virtual IoResult ReplaceContents(const Text& path, const Bytes& content) = 0;
};

// The program folder joined with a file name by exactly one backslash.
Text JoinPath(const Text& folder, const Text& name);
Text DefaultBgmPathFor(const Text& programFolder);
// The settings file under the user's application-data folder; none without that folder (the file
// would land at the drive's root).
Text SettingsPathIn(const Text& appData);

// The byte-exact file for a record: mark, template, CR LF between lines, no final line break.
Bytes SettingsFileBytes(const SettingsRecord& settings);

// A numeric text: blanks around, a sign, digits with a decimal point, an exponent.
std::optional<double> ParseNumber(const Text& text);
// Nearest integer with halves to even; nothing when it does not fit 0..255.
std::optional<std::uint8_t> NumberToByte(double value);

// Fills the record from the file at path (defaults route when there is none), touching nothing on
// disk; true when the file already is, byte for byte, what would be written for the record.
bool ReadSettingsFrom(SettingsFileSystem& fs, const Text& path, const Text& defaultBgmPath, SettingsRecord& settings);
// The start's reading: reads, then writes the record back unless the file already is in that
// normal form, with plain attributes.
void LoadSettingsFrom(SettingsFileSystem& fs, const Text& path, const Text& defaultBgmPath,
                      SettingsRecord& settings);
// Writes the record; true when it is in place. Nothing at all is written when the folder cannot be
// made or the path has none.
bool SaveSettingsTo(SettingsFileSystem& fs, const Text& path, const SettingsRecord& settings);
