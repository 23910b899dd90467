#pragma once

namespace vallo {

// The items of the main window's window menu, one per floating window it shows.
enum class WindowItem { Tool, Pale, Lay, EX, Ani, ETool, Narabe };

} // namespace vallo
