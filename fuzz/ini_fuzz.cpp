// The configuration reader on arbitrary text: parsed, every setting read into a state, and
// written out and parsed again.

#include "state/Configuration.h"
#include "state/EditorState.h"
#include "state/IniFile.h"
#include "image/AtomicFile.h"

#include <exception>
#include <filesystem>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string dir = [] {
        const auto d = std::filesystem::temp_directory_path() /
                       ("vallo_ini_fuzz_" + std::to_string(::getpid()));
        std::filesystem::create_directories(d / "sys");
        return d.string() + "/";
    }();
    const std::string text(reinterpret_cast<const char*>(data), size);
    const vallo::IniFile ini = vallo::IniFile::Parse(text);
    vallo::IniFile::Parse(ini.Text());
    try {
        vallo::EditorState s;
        s.AppDir = dir;
        vallo::WriteFileAtomically(vallo::IniPath(s), data, size);
        s.IniReadMode = true;
        vallo::RunIniRoutine(s);
    } catch (const std::exception&) {
    }
    return 0;
}
