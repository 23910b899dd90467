#pragma once

// The engine tests' helpers live in the drawing fixture under their older namespace name too.
#include "draw/DrawFixture.h"

namespace vallo {
namespace enginetest = testing;
}
