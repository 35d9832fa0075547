// The settings window: the interface language, start with Windows, and four
// image links to the maker's pages.
#pragma once

#include <windows.h>

inline constexpr wchar_t kSelectorWindowClass[] = L"IdiomaSelectorWindow";

// Control ids.
inline constexpr int kLanguageListId = 1001;
inline constexpr int kRunAtStartupId = 1002;
inline constexpr int kHomeLinkId = 2001;
inline constexpr int kInstagramLinkId = 2002;
inline constexpr int kMakerLinkId = 2003;
inline constexpr int kDonateLinkId = 2004;

// Owned by the window, reached through GWLP_USERDATA.
struct SelectorControls {
    HWND languageList;
    HWND label;
    HWND runAtStartup;
    HFONT font;
    HWND homeLink;
    HWND instagramLink;
    HWND makerLink;
    HWND donateLink;
    HWND tooltip;
    HWND lastFocus;  // the control that had the focus when the window was last deactivated
};

// Opens the window, or brings the open one to the front.
void OpenLanguageSelector();

// The open window's share of the message loop: Tab, Shift+Tab, Enter and Esc
// as in a dialog box. True when the message was for the window and has been
// handled (dispatched included); the loop then leaves it alone.
bool IsSelectorDialogMessage(MSG& message);

LRESULT CALLBACK SelectorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
bool BuildSelectorControls(HWND window, SelectorControls& controls);
HWND CreateImageLink(HWND parent, int x, int y, int width, int height, WORD pngId, int controlId,
                     const wchar_t* tooltipText, HWND tooltip);
void FillLanguageList(HWND list);
// The OK button: applies the language and start with Windows, then closes.
void ApplySelectorChoices(HWND window);
