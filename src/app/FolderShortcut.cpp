#include "app/FolderShortcut.h"

#include <filesystem>

namespace vallo {

namespace fs = std::filesystem;

namespace {

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

} // namespace

std::optional<std::string> BrowsedFolder(const std::string& selected) {
    std::error_code ec;
    std::string folder = WithoutTrailingSlash(selected);
    if (!fs::is_directory(folder, ec))
        folder = fs::path(folder).parent_path().string();
    if (folder.empty() || !fs::is_directory(folder, ec))
        return std::nullopt;
    return folder;
}

FolderShortcut ShortcutToBrowsedFolder(const std::string& appDir, const std::string& folder) {
    const std::string target = WithoutTrailingSlash(folder);
    const std::string name = fs::path(target).stem().string();
    return {target, WithoutTrailingSlash(appDir) + "/" + name + kShortcutSuffix};
}

FolderShortcut ShortcutToProgramFolder(const std::string& appDir, const std::string& folder) {
    return {WithoutTrailingSlash(appDir),
            WithoutTrailingSlash(folder) + "/" + "Vallo" + kShortcutSuffix};
}

bool MakeFolderShortcut(const FolderShortcut& shortcut) {
    std::error_code ec;
    const fs::path link = shortcut.LinkPath;
    if (fs::is_directory(fs::symlink_status(link, ec)))
        return false;
    // Made under a scratch name and renamed over the old link, so there is never a moment
    // without one.
    fs::path scratch = link;
    scratch += ".tmp";
    fs::remove(scratch, ec);
    fs::create_directory_symlink(shortcut.Target, scratch, ec);
    if (ec)
        return false;
    fs::rename(scratch, link, ec);
    if (ec) {
        fs::remove(scratch, ec);
        return false;
    }
    return true;
}

} // namespace vallo
