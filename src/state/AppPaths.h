#pragma once

#include <functional>
#include <string>

namespace vallo {

struct EditorState;

// Where the program reads its data files and writes its own files. Every folder ends in "/".
//
// A portable copy (data files beside the executable, and that folder writable) keeps everything
// beside the executable: "sys/" for the configuration and list files, "palette/", and
// "sys/recovery/". Otherwise (an installed program, or a copy on a read-only medium) the
// configuration and list files go to $XDG_CONFIG_HOME/vallo/ and the palette folder and the
// recovery copies to $XDG_DATA_HOME/vallo/.
struct AppPaths {
    std::string AppDir;      // read-only data: "sys/*.BMP", "help/", the shipped palette
    std::string ConfigDir;   // empty = AppDir + "sys/"
    std::string UserDataDir; // empty = AppDir (palette/) and AppDir + "sys/" (recovery/)
};

// Looks up an environment variable; nullptr when it is not set.
using EnvironmentLookup = std::function<const char*(const char*)>;

// Works out the folders for an executable in exeDir. Data files are looked for beside the
// executable, then in the prefix's "share/vallo/" (exeDir = prefix + "/bin/").
AppPaths ResolveAppPaths(const std::string& exeDir, const EnvironmentLookup& env);

// Sets the state's folders.
void ApplyAppPaths(EditorState& s, const AppPaths& paths);

// The folders in use for a state (the portable layout when no other folder was set).
std::string ConfigFolder(const EditorState& s);
std::string UserPaletteFolder(const EditorState& s);
std::string RecoveryFolder(const EditorState& s);
// Where the file dialogs start: the program folder of a portable copy, otherwise the working
// folder.
std::string DocumentStartFolder(const EditorState& s);
// The default palette as shipped with the program (AppDir + "palette/vallo.vp3").
std::string ShippedPaletteFile(const EditorState& s);

} // namespace vallo
