// Decoding the PNG images stored in the program's resources.
#pragma once

#include <windows.h>

// Decodes the "PNG" resource with this id into a new bitmap that the caller
// releases with DeleteObject; null when any step fails. GDI+ must be started.
HBITMAP LoadPngBitmap(WORD id);
