// Palette and forbidden-colour files and the palette exchange formats on arbitrary bytes: the
// first byte chooses the kind, the rest is the file as read from disk. An exchange palette that
// is read must be written and read back to the same colours.

#include "draw/Undo.h"
#include "palette/PaletteExchange.h"
#include "palette/PaletteFile.h"
#include "state/EditorState.h"

#include <cstdlib>
#include <exception>

namespace {

vallo::EditorState& Editor() {
    static vallo::EditorState* s = [] {
        auto* state = new vallo::EditorState;
        state->MainImage.SetSize(16, 16, 8);
        vallo::InitUndo(*state, 4);
        return state;
    }();
    return *s;
}

void ReadExchange(const std::vector<uint8_t>& bytes, vallo::ExchangeFormat format) {
    std::vector<vallo::RGBQuad> colors;
    try {
        colors = vallo::ParseExchangePalette(bytes, format);
    } catch (const std::exception&) {
        return;
    }
    if (vallo::ParseExchangePalette(vallo::BuildExchangePalette(colors, format), format) != colors)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const std::vector<uint8_t> bytes(data + 1, data + size);
    const int kind = data[0] % 7;
    if (kind >= 2) {
        ReadExchange(bytes, vallo::ExchangeFormat(kind - 2));
        return 0;
    }
    // A palette file is applied only now and then: rebuilding the colour tables after it takes
    // most of a second under the sanitizers and would starve the other kinds.
    const bool palette = kind == 0 && size > 1 && data[1] == 0;
    try {
        vallo::TitleToUtf8(bytes);
        vallo::ApplyPaletteFileBytes(Editor(), bytes,
                                     palette ? vallo::PaletteFileKind::Palette
                                             : vallo::PaletteFileKind::Forbidden);
    } catch (const std::exception&) {
    }
    return 0;
}
