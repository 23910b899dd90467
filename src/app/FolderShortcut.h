#pragma once

#include <optional>
#include <string>

namespace vallo {

// Links between the program's folder and a folder browsed in a file dialog, made as symbolic
// links named "<name> への抜け道.lnk" so that either folder is one step away from the other.
struct FolderShortcut {
    std::string Target;   // the folder the link opens, without a trailing "/"
    std::string LinkPath; // where the link is made
};

inline constexpr const char* kShortcutSuffix = " への抜け道.lnk";

// The folder a dialog selection stands for: the selection itself when it is a folder, else the
// folder holding it; nothing when that is not an existing folder.
std::optional<std::string> BrowsedFolder(const std::string& selected);

// A link to the browsed folder, made in the program's folder and named after the browsed one
// (its last element without extension).
FolderShortcut ShortcutToBrowsedFolder(const std::string& appDir, const std::string& folder);
// A link to the program's folder, made in the browsed folder and named "Vallo への抜け道.lnk".
FolderShortcut ShortcutToProgramFolder(const std::string& appDir, const std::string& folder);

// Makes the link, replacing a file or link of that name in one step; a real folder of that
// name is left alone. False when nothing was made.
bool MakeFolderShortcut(const FolderShortcut& shortcut);

} // namespace vallo
