#pragma once
// The owning handles of the GUI's own objects: GDI objects and windows.

#include <windows.h>

#include "base/Handle.h"

using TFontHandle = TUniqueHandle<HFONT, DeleteObject>;
using TBrushHandle = TUniqueHandle<HBRUSH, DeleteObject>;
using TBitmapHandle = TUniqueHandle<HBITMAP, DeleteObject>;
using TWindowHandle = TUniqueHandle<HWND, DestroyWindow>;
