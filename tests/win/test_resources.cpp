// The resources linked into every program: icons at their sizes and depth,
// the PNG images with their dimensions, the manifest and the version record.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "res/resource.h"

namespace {

struct PngSize {
    unsigned width;
    unsigned height;
    unsigned colourType;  // 2 = RGB, 6 = RGBA
};

unsigned BigEndian32(const unsigned char* bytes) {
    return (unsigned{bytes[0]} << 24) | (unsigned{bytes[1]} << 16) | (unsigned{bytes[2]} << 8) | bytes[3];
}

bool ReadPngResource(int id, PngSize& size) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), L"PNG");
    if (!found) return false;
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, found)));
    const DWORD length = SizeofResource(nullptr, found);
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (!bytes || length < 33 || std::memcmp(bytes, kSignature, 8) != 0 || std::memcmp(bytes + 12, "IHDR", 4) != 0)
        return false;
    size = {BigEndian32(bytes + 16), BigEndian32(bytes + 20), bytes[25]};
    return true;
}

// Loads the icon at one size and reports its bitmap's dimensions and whether it has alpha.
void CheckIcon(int id, int pixels) {
    SCOPED_TRACE("icon " + std::to_string(id) + " at " + std::to_string(pixels));
    HICON icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, pixels, pixels, LR_DEFAULTCOLOR));
    ASSERT_NE(icon, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour = {};
    ASSERT_NE(info.hbmColor, nullptr);
    ASSERT_NE(GetObjectW(info.hbmColor, sizeof colour, &colour), 0);
    EXPECT_EQ(colour.bmWidth, pixels);
    EXPECT_EQ(colour.bmHeight, pixels);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

// The sizes stored in an icon group, from its directory resource.
std::vector<int> IconGroupSizes(int id, std::vector<int>* bitCounts = nullptr) {
    std::vector<int> sizes;
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_GROUP_ICON);
    if (!found) return sizes;
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, found)));
    const unsigned count = bytes[4] | (bytes[5] << 8);
    for (unsigned i = 0; i < count; ++i) {
        const unsigned char* entry = bytes + 6 + i * 14;
        sizes.push_back(entry[0] == 0 ? 256 : entry[0]);
        if (bitCounts) bitCounts->push_back(entry[6] | (entry[7] << 8));
    }
    return sizes;
}

}  // namespace

TEST(Resources, IconGroupsHoldTheirSizesIn32BitColour) {
    std::vector<int> appBits;
    // A frame of its own for the tray's size at 100, 125, 150, 200, 250, 300 and 400 %.
    EXPECT_EQ(IconGroupSizes(IDI_APP, &appBits), (std::vector<int>{256, 64, 48, 40, 32, 24, 20, 16}));
    for (int bits : appBits) EXPECT_EQ(bits, 32);
    std::vector<int> trayBits;
    EXPECT_EQ(IconGroupSizes(IDI_TRAY_VISIBLE, &trayBits), (std::vector<int>{64, 48, 40, 32, 24, 20, 16}));
    for (int bits : trayBits) EXPECT_EQ(bits, 32);

    for (int pixels : {16, 20, 24, 32, 40, 48, 64, 256}) CheckIcon(IDI_APP, pixels);
    for (int pixels : {16, 20, 24, 32, 40, 48, 64}) CheckIcon(IDI_TRAY_VISIBLE, pixels);
}

TEST(Resources, TheTwoIconsLookDifferentAtTraySize) {
    // The state must be readable from the small icon: the centres differ.
    auto centre = [](int id) {
        HICON icon = static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, 24, 24, LR_DEFAULTCOLOR));
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 24, 24);
        HGDIOBJ old = SelectObject(dc, bitmap);
        RECT all = {0, 0, 24, 24};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        DrawIconEx(dc, 0, 0, icon, 24, 24, 0, nullptr, DI_NORMAL);
        int white = 0;
        for (int y = 8; y < 16; ++y)
            for (int x = 8; x < 16; ++x)
                if (GetRValue(GetPixel(dc, x, y)) > 200 && GetBValue(GetPixel(dc, x, y)) > 200) ++white;
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        DestroyIcon(icon);
        return white;
    };
    const int hiddenIconWhite = centre(IDI_APP);
    const int visibleIconWhite = centre(IDI_TRAY_VISIBLE);
    EXPECT_LT(hiddenIconWhite, 40);  // a small dot
    EXPECT_GT(visibleIconWhite, 50);  // a large white centre
}

TEST(Resources, PngImagesHaveTheirSizesAndChannels) {
    const struct {
        int id;
        PngSize expected;
    } images[] = {
        {IDB_LINK_HOME, {16, 16, 6}},       {IDB_LINK_CAMERA, {16, 16, 6}},    {IDB_MAKER_LOGO, {32, 32, 2}},
        {IDB_DONATE, {100, 30, 2}},         {IDB_LINK_HOME_150, {24, 24, 6}},  {IDB_LINK_CAMERA_150, {24, 24, 6}},
        {IDB_MAKER_LOGO_150, {48, 48, 2}},  {IDB_DONATE_150, {150, 45, 2}},    {IDB_LINK_HOME_200, {32, 32, 6}},
        {IDB_LINK_CAMERA_200, {32, 32, 6}}, {IDB_MAKER_LOGO_200, {64, 64, 2}}, {IDB_DONATE_200, {200, 60, 2}},
    };
    for (const auto& image : images) {
        SCOPED_TRACE(image.id);
        PngSize size = {};
        ASSERT_TRUE(ReadPngResource(image.id, size));
        EXPECT_EQ(size.width, image.expected.width);
        EXPECT_EQ(size.height, image.expected.height);
        EXPECT_EQ(size.colourType, image.expected.colourType);
    }
    EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(204), L"PNG"), nullptr);
}

TEST(Resources, ManifestAsksForCommonControls6AsInvokerAndPerMonitorAwareness) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(found, nullptr);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    const std::string manifest(bytes, SizeofResource(nullptr, found));
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
    // Drawn at each screen's resolution, with the older forms where Windows
    // has no Per-Monitor V2; Windows ignores an element silently in any
    // other namespace. Bitmap stretching by GDI would blur what is now sharp.
    EXPECT_NE(manifest.find("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
                            "PerMonitorV2, PerMonitor</dpiAwareness>"),
              std::string::npos);
    EXPECT_NE(manifest.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">"
                            "true/pm</dpiAware>"),
              std::string::npos);
    EXPECT_EQ(manifest.find("gdiScaling"), std::string::npos);
}

TEST(Resources, VersionRecordNamesVeilux100) {
    // Read from the raw record, so the test needs no version.dll import.
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    ASSERT_NE(found, nullptr);
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    const DWORD size = SizeofResource(nullptr, found);
    const BYTE* fixed = nullptr;
    for (DWORD at = 0; at + sizeof(VS_FIXEDFILEINFO) <= size; at += 4) {
        DWORD signature = 0;
        std::memcpy(&signature, bytes + at, sizeof signature);
        if (signature == 0xFEEF04BD) {
            fixed = bytes + at;
            break;
        }
    }
    ASSERT_NE(fixed, nullptr);
    VS_FIXEDFILEINFO info = {};
    std::memcpy(&info, fixed, sizeof info);
    EXPECT_EQ(info.dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(info.dwFileVersionLS, 0u);

    const std::wstring record(reinterpret_cast<const wchar_t*>(bytes), size / sizeof(wchar_t));
    const auto name = record.find(std::wstring(L"ProductName\0", 12));
    ASSERT_NE(name, std::wstring::npos);
    // The value follows its key, aligned to 32 bits.
    std::size_t value = name + 12;
    while (value < record.size() && record[value] == L'\0') ++value;
    EXPECT_EQ(record.substr(value, 7), std::wstring(L"Veilux\0", 7));
}
