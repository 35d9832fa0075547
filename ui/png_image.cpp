#include "ui/png_image.h"

#include "app/gdiplus_header.h"

#include <cstring>

namespace gdip = Gdiplus::DllExports;

namespace {

// A stream that owns a movable copy of the resource bytes.
IStream* StreamOverCopy(const void* bytes, DWORD size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) return nullptr;
    void* target = GlobalLock(block);
    if (!target) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(target, bytes, size);
    GlobalUnlock(block);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream))) {
        GlobalFree(block);
        return nullptr;
    }
    return stream;
}

}  // namespace

HBITMAP LoadPngBitmap(WORD id) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG");
    if (!found) return nullptr;
    HGLOBAL loaded = LoadResource(module, found);
    if (!loaded) return nullptr;
    const void* bytes = LockResource(loaded);
    const DWORD size = SizeofResource(module, found);
    if (!bytes || size == 0) return nullptr;

    IStream* stream = StreamOverCopy(bytes, size);
    if (!stream) return nullptr;
    Gdiplus::GpBitmap* image = nullptr;
    const Gdiplus::Status status = gdip::GdipCreateBitmapFromStream(stream, &image);
    // GDI+ keeps its own reference to the stream for as long as it needs one.
    stream->Release();
    if (!image) return nullptr;

    HBITMAP bitmap = nullptr;
    if (status != Gdiplus::Ok || gdip::GdipCreateHBITMAPFromBitmap(image, &bitmap, 0x00FFFFFF) != Gdiplus::Ok)
        bitmap = nullptr;
    gdip::GdipDisposeImage(image);
    return bitmap;
}
