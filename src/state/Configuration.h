#pragma once

#include <string>
#include <vector>

namespace vallo {

struct EditorState;

// The configuration file "vallo.ini" and the list files "size.txt" (cell sizes) and "bai.txt"
// (zooms) in the configuration folder (AppDir + "sys/" for a portable copy), UTF-8 with CRLF
// lines.
std::string IniPath(const EditorState& s);
std::string SizeListPath(const EditorState& s);
std::string BaiListPath(const EditorState& s);
// The folder of the recovery copies of unsaved work, beside the configuration; ends in "/".
std::string RecoveryDir(const EditorState& s);

// Reads every setting into the state when s.IniReadMode is set, otherwise writes them (and
// both list files), creating the "sys" folder when missing. Values read are bounded: one out
// of range is brought to the nearest allowed value, one that is not a number takes its default. Writing throws FileError when the files cannot be written.
void RunIniRoutine(EditorState& s);

// Moves path to the front of RecentFiles (entries 1..9, newest first), dropping the oldest
// when it is new, and has the main window refresh its captions.
void AddRecentFile(EditorState& s, const std::string& path);
// "n:" followed by recent file n (1..9), as the menu shows it.
std::string RecentFileCaption(const EditorState& s, int n);

// A list file: one entry per line, empty lines dropped, at most kMaxListItems entries. A
// missing file gives nothing.
inline constexpr size_t kMaxListItems = 64;
std::vector<std::string> ReadListFile(const std::string& path);
void WriteListFile(const std::string& path, const std::vector<std::string>& items);

} // namespace vallo
