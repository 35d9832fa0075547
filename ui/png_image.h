// Decoding the PNG images stored in the program's resources.
#pragma once

#include <windows.h>

// Decodes the "PNG" resource with this id into a new bitmap that the caller
// releases with DeleteObject; null when any step fails. GDI+ must be started.
HBITMAP LoadPngBitmap(WORD id);

// The same at width x height pixels: an image of another size is redrawn at
// that size with bicubic filtering (125 % from the 1.5x drawing, say).
HBITMAP LoadPngBitmapAt(WORD id, int width, int height);
