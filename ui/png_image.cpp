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

// A new bitmap of width x height holding the image drawn to fill it; null on failure.
Gdiplus::GpBitmap* Resized(Gdiplus::GpBitmap* image, int width, int height) {
    Gdiplus::GpBitmap* target = nullptr;
    if (gdip::GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &target) != Gdiplus::Ok)
        return nullptr;
    Gdiplus::GpGraphics* graphics = nullptr;
    bool drawn = gdip::GdipGetImageGraphicsContext(target, &graphics) == Gdiplus::Ok;
    if (drawn) {
        gdip::GdipSetInterpolationMode(graphics, Gdiplus::InterpolationModeHighQualityBicubic);
        // Pixel centres, not corners, are mapped: no half-pixel shift at the edges.
        gdip::GdipSetPixelOffsetMode(graphics, Gdiplus::PixelOffsetModeHalf);
        drawn = gdip::GdipDrawImageRectI(graphics, image, 0, 0, width, height) == Gdiplus::Ok;
        gdip::GdipDeleteGraphics(graphics);
    }
    if (drawn) return target;
    gdip::GdipDisposeImage(target);
    return nullptr;
}

}  // namespace

HBITMAP LoadPngBitmap(WORD id) { return LoadPngBitmapAt(id, 0, 0); }

// A width or height of 0 takes the image as it is.
HBITMAP LoadPngBitmapAt(WORD id, int width, int height) {
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

    UINT imageWidth = 0;
    UINT imageHeight = 0;
    if (status == Gdiplus::Ok && width > 0 && height > 0 &&
        gdip::GdipGetImageWidth(image, &imageWidth) == Gdiplus::Ok &&
        gdip::GdipGetImageHeight(image, &imageHeight) == Gdiplus::Ok &&
        (imageWidth != static_cast<UINT>(width) || imageHeight != static_cast<UINT>(height))) {
        Gdiplus::GpBitmap* resized = Resized(image, width, height);
        gdip::GdipDisposeImage(image);
        if (!resized) return nullptr;
        image = resized;
    }

    HBITMAP bitmap = nullptr;
    if (status != Gdiplus::Ok || gdip::GdipCreateHBITMAPFromBitmap(image, &bitmap, 0x00FFFFFF) != Gdiplus::Ok)
        bitmap = nullptr;
    gdip::GdipDisposeImage(image);
    return bitmap;
}
