#include "state/AppPaths.h"

#include "state/EditorState.h"

#include <filesystem>
#include <unistd.h>

namespace vallo {

namespace {

namespace fs = std::filesystem;

std::string Folder(const fs::path& path) {
    std::string text = path.lexically_normal().string();
    if (text.empty() || text.back() != '/')
        text += '/';
    return text;
}

// An XDG base folder: the variable when it holds an absolute path (relative ones are to be
// ignored), otherwise the fallback under the home folder. Empty when neither is known.
std::string BaseFolder(const EnvironmentLookup& env, const char* variable, const char* fallback) {
    const char* value = env(variable);
    if (value && value[0] == '/')
        return Folder(value);
    const char* home = env("HOME");
    if (home && home[0] == '/')
        return Folder(fs::path(home) / fallback);
    return {};
}

bool IsWritableFolder(const std::string& dir) {
    return ::access(dir.c_str(), W_OK) == 0;
}

} // namespace

AppPaths ResolveAppPaths(const std::string& exeDir, const EnvironmentLookup& env) {
    std::error_code ec;
    AppPaths paths;
    const std::string beside = Folder(exeDir);
    const std::string shared = Folder(fs::path(beside) / "../share/vallo");
    // Installed: no data beside the program, but under the prefix's share folder.
    const bool installed = !fs::is_regular_file(beside + "sys/Pen.BMP", ec) &&
                           fs::is_regular_file(shared + "sys/Pen.BMP", ec);
    paths.AppDir = installed ? shared : beside;
    if (!installed && IsWritableFolder(beside))
        return paths;
    const std::string config = BaseFolder(env, "XDG_CONFIG_HOME", ".config");
    const std::string data = BaseFolder(env, "XDG_DATA_HOME", ".local/share");
    if (config.empty() || data.empty())
        return paths; // no home to write to: the program folder it is, as before
    paths.ConfigDir = config + "vallo/";
    paths.UserDataDir = data + "vallo/";
    return paths;
}

void ApplyAppPaths(EditorState& s, const AppPaths& paths) {
    s.AppDir = paths.AppDir;
    s.ConfigDir = paths.ConfigDir;
    s.UserDataDir = paths.UserDataDir;
}

std::string ConfigFolder(const EditorState& s) {
    return s.ConfigDir.empty() ? s.AppDir + "sys/" : s.ConfigDir;
}

std::string UserPaletteFolder(const EditorState& s) {
    return (s.UserDataDir.empty() ? s.AppDir : s.UserDataDir) + "palette/";
}

std::string RecoveryFolder(const EditorState& s) {
    return s.UserDataDir.empty() ? s.AppDir + "sys/recovery/" : s.UserDataDir + "recovery/";
}

std::string DocumentStartFolder(const EditorState& s) {
    if (s.UserDataDir.empty())
        return s.AppDir;
    std::error_code ec;
    const fs::path here = fs::current_path(ec);
    return ec ? s.AppDir : Folder(here);
}

std::string ShippedPaletteFile(const EditorState& s) {
    return s.AppDir + "palette/vallo.vp3";
}

} // namespace vallo
