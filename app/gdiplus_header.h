// <gdiplus.h> for a build that defines NOMINMAX: its headers use min and
// max unqualified, which MSVC then no longer has as macros.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <algorithm>

namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus

#include <gdiplus.h>
