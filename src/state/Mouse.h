#pragma once

namespace vallo {

enum class MouseButton { Left, Right, Middle };

} // namespace vallo
