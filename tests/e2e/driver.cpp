// The end-to-end tests' hands and eyes inside the Wine session: it finds the
// program's windows, presses keys, sends the messages Windows would send,
// reads and writes the registry and the settings window's controls, and
// measures the program's memory. It never touches the program's code: it is a
// separate process, as a user's tools would be.
//
// Usage: e2e_driver COMMAND [ARGUMENTS...]; results go to standard output in
// UTF-8, one item a line; the exit code is 0 on success, 1 when the thing
// looked for is not there (or timed out), 2 on bad usage.
//
// The same source, linked for the GUI subsystem, is the recording web-page
// handler ("record FILE ADDRESS"), so that opening a page starts no console.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <tlhelp32.h>
#include <wincrypt.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "tests/support/trusted_root.h"

namespace {

constexpr wchar_t kMainClass[] = L"Veilux";
constexpr wchar_t kSelectorClass[] = L"IdiomaSelectorWindow";

// ---- output ----------------------------------------------------------------

void Print(const std::wstring& text) {
    std::wstring line = text + L"\n";
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), utf8.data(), bytes, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

int Usage(const wchar_t* what) {
    Print(std::wstring(L"usage: ") + what);
    return 2;
}

// Texts are printed on one line: a line feed inside one shows as "\n".
std::wstring OneLine(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\n') out += L"\\n";
        else if (c == L'\r') out += L"\\r";
        else out += c;
    }
    return out;
}

unsigned long long Number(const wchar_t* text) { return wcstoull(text, nullptr, 0); }

// ---- windows ---------------------------------------------------------------

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

// Reads another process's window text through WM_GETTEXT, which Windows
// copies across processes; a hung window gives an empty text.
std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return {};
    std::vector<wchar_t> buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                             SMTO_ABORTIFHUNG, 2000, &copied))
        return {};
    return std::wstring(buffer.data(), copied);
}

// Sends a message and waits at most 3 s for the answer (0 when none came).
LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 3000, &result);
    return static_cast<LRESULT>(result);
}

struct TopLevelSearch {
    const wchar_t* className;
    const wchar_t* title;  // null: any title
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<TopLevelSearch*>(parameter);
    if (search.visibleOnly && !IsWindowVisible(window)) return TRUE;
    if (search.className && ClassOf(window) != search.className) return TRUE;
    if (search.title && TextOf(window) != search.title) return TRUE;
    search.found.push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevelWindows(const wchar_t* className, const wchar_t* title, bool visibleOnly) {
    TopLevelSearch search{className, title, visibleOnly, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Waits for the first top-level window of the class (and title), up to timeoutMs.
HWND WaitForWindow(const wchar_t* className, const wchar_t* title, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        const auto windows = TopLevelWindows(className, title, false);
        if (!windows.empty()) return windows.front();
        if (GetTickCount64() >= end) return nullptr;
        Sleep(50);
    }
}

DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

std::wstring Hex(const void* handle) {
    wchar_t text[32];
    swprintf(text, 32, L"0x%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(handle)));
    return text;
}

std::wstring RectText(const RECT& rect) {
    return std::to_wstring(rect.left) + L" " + std::to_wstring(rect.top) + L" " +
           std::to_wstring(rect.right - rect.left) + L" " + std::to_wstring(rect.bottom - rect.top);
}

// find CLASS [TITLE|-] [TIMEOUT_MS]: "HWND PID" of the first such window.
int CommandFind(int argc, wchar_t** argv) {
    if (argc < 1) return Usage(L"find CLASS [TITLE|-] [TIMEOUT_MS]");
    const wchar_t* title = argc >= 2 && std::wcscmp(argv[1], L"-") != 0 ? argv[1] : nullptr;
    const DWORD timeout = argc >= 3 ? static_cast<DWORD>(Number(argv[2])) : 0;
    HWND window = WaitForWindow(argv[0], title, timeout);
    if (!window) return 1;
    Print(Hex(window) + L" " + std::to_wstring(ProcessOf(window)));
    return 0;
}

// gone CLASS TIMEOUT_MS: success once no window of the class is left.
int CommandGone(int argc, wchar_t** argv) {
    if (argc < 2) return Usage(L"gone CLASS TIMEOUT_MS");
    const ULONGLONG end = GetTickCount64() + Number(argv[1]);
    while (!TopLevelWindows(argv[0], nullptr, false).empty()) {
        if (GetTickCount64() >= end) return 1;
        Sleep(50);
    }
    return 0;
}

// windows CLASS: every top-level window of the class, "HWND PID visible rect text".
int CommandWindows(int argc, wchar_t** argv) {
    if (argc < 1) return Usage(L"windows CLASS");
    for (HWND window : TopLevelWindows(argv[0], nullptr, false)) {
        RECT rect = {};
        GetWindowRect(window, &rect);
        Print(Hex(window) + L" " + std::to_wstring(ProcessOf(window)) + L" " +
              (IsWindowVisible(window) ? L"visible " : L"hidden ") + RectText(rect) + L"\t" + OneLine(TextOf(window)));
    }
    return 0;
}

// post CLASS MESSAGE WPARAM LPARAM: posts to the first window of the class.
int CommandPost(int argc, wchar_t** argv) {
    if (argc < 4) return Usage(L"post CLASS MESSAGE WPARAM LPARAM");
    HWND window = WaitForWindow(argv[0], nullptr, 0);
    if (!window) return 1;
    return PostMessageW(window, static_cast<UINT>(Number(argv[1])), static_cast<WPARAM>(Number(argv[2])),
                        static_cast<LPARAM>(Number(argv[3])))
               ? 0
               : 1;
}

// ping CLASS TIMEOUT_MS: how long the window's thread takes to answer WM_NULL.
int CommandPing(int argc, wchar_t** argv) {
    if (argc < 2) return Usage(L"ping CLASS TIMEOUT_MS");
    HWND window = WaitForWindow(argv[0], nullptr, 0);
    if (!window) return 1;
    const ULONGLONG start = GetTickCount64();
    DWORD_PTR result = 0;
    const bool answered =
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(Number(argv[1])), &result) != 0;
    Print(std::to_wstring(GetTickCount64() - start));
    return answered ? 0 : 1;
}

// memory CLASS: "WORKINGSET PAGEFILE PRIVATE" bytes of the process that owns the window.
int CommandMemory(int argc, wchar_t** argv) {
    if (argc < 1) return Usage(L"memory CLASS");
    HWND window = WaitForWindow(argv[0], nullptr, 0);
    if (!window) return 1;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ProcessOf(window));
    if (!process) return 1;
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    const BOOL ok =
        K32GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    CloseHandle(process);
    if (!ok) return 1;
    Print(std::to_wstring(counters.WorkingSetSize) + L" " + std::to_wstring(counters.PagefileUsage) + L" " +
          std::to_wstring(counters.PrivateUsage));
    return 0;
}

// modules CLASS: the file name of every module loaded in the process that owns the window.
int CommandModules(int argc, wchar_t** argv) {
    if (argc < 1) return Usage(L"modules CLASS");
    HWND window = WaitForWindow(argv[0], nullptr, 0);
    if (!window) return 1;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, ProcessOf(window));
    if (snapshot == INVALID_HANDLE_VALUE) return 1;
    MODULEENTRY32W module = {};
    module.dwSize = sizeof module;
    for (BOOL more = Module32FirstW(snapshot, &module); more; more = Module32NextW(snapshot, &module))
        Print(module.szModule);
    CloseHandle(snapshot);
    return 0;
}

// processes NAME: how many running processes run a file of that name.
int CommandProcesses(int argc, wchar_t** argv) {
    if (argc < 1) return Usage(L"processes NAME");
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 1;
    PROCESSENTRY32W process = {};
    process.dwSize = sizeof process;
    int count = 0;
    for (BOOL more = Process32FirstW(snapshot, &process); more; more = Process32NextW(snapshot, &process))
        if (_wcsicmp(process.szExeFile, argv[0]) == 0) ++count;
    CloseHandle(snapshot);
    Print(std::to_wstring(count));
    return 0;
}

// mutex NAME: succeeds when a mutex of that name exists now.
int CommandMutex(int argc, wchar_t** argv) {
    if (argc < 1) return Usage(L"mutex NAME");
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, argv[0]);
    if (!mutex) return 1;
    CloseHandle(mutex);
    return 0;
}

// ---- keyboard ----------------------------------------------------------------

INPUT Key(WORD vk, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

bool Send(std::vector<INPUT>& inputs) {
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

// hotkey hidden|extensions [COUNT]: presses Alt+full stop (with Shift for
// extensions) COUNT times, each a full press and release of every key.
int CommandHotkey(int argc, wchar_t** argv) {
    if (argc < 1) return Usage(L"hotkey hidden|extensions [COUNT]");
    const bool withShift = std::wcscmp(argv[0], L"extensions") == 0;
    if (!withShift && std::wcscmp(argv[0], L"hidden") != 0) return Usage(L"hotkey hidden|extensions [COUNT]");
    const unsigned long long count = argc >= 2 ? Number(argv[1]) : 1;
    for (unsigned long long i = 0; i < count; ++i) {
        std::vector<INPUT> inputs;
        inputs.push_back(Key(VK_MENU, false));
        if (withShift) inputs.push_back(Key(VK_SHIFT, false));
        inputs.push_back(Key(VK_OEM_PERIOD, false));
        inputs.push_back(Key(VK_OEM_PERIOD, true));
        if (withShift) inputs.push_back(Key(VK_SHIFT, true));
        inputs.push_back(Key(VK_MENU, true));
        if (!Send(inputs)) return 1;
    }
    return 0;
}

WORD KeyCode(const std::wstring& name) {
    const struct {
        const wchar_t* name;
        WORD vk;
    } names[] = {{L"down", VK_DOWN}, {L"up", VK_UP},       {L"return", VK_RETURN}, {L"escape", VK_ESCAPE},
                 {L"tab", VK_TAB},   {L"space", VK_SPACE}, {L"shift", VK_SHIFT},   {L"alt", VK_MENU},
                 {L"f4", VK_F4},     {L"ctrl", VK_CONTROL}};
    for (const auto& known : names)
        if (name == known.name) return known.vk;
    if (name.size() == 1 && name[0] >= L'a' && name[0] <= L'z') return static_cast<WORD>(name[0] - L'a' + L'A');
    return 0;
}

// keys KEY...: presses and releases each key in turn (down, up, return,
// escape, tab, space, f4, a to z); "shift+tab" or "ctrl+alt+h" holds the first keys
// while the last one is pressed.
int CommandKeys(int argc, wchar_t** argv) {
    for (int i = 0; i < argc; ++i) {
        const std::wstring chord = argv[i];
        std::vector<WORD> keys;
        for (std::size_t start = 0;;) {
            const std::size_t plus = chord.find(L'+', start);
            const WORD vk = KeyCode(chord.substr(start, plus == std::wstring::npos ? plus : plus - start));
            if (!vk) return Usage(L"keys down|up|return|escape|tab|space|f4|a-z|shift+KEY|alt+KEY|ctrl+KEY...");
            keys.push_back(vk);
            if (plus == std::wstring::npos) break;
            start = plus + 1;
        }
        std::vector<INPUT> inputs;
        for (WORD vk : keys) inputs.push_back(Key(vk, false));
        for (auto vk = keys.rbegin(); vk != keys.rend(); ++vk) inputs.push_back(Key(*vk, true));
        if (!Send(inputs)) return 1;
        Sleep(60);
    }
    return 0;
}

// ---- the notification area ---------------------------------------------------

// trayicon: the centre of the first icon in the notification area, in
// desktop coordinates. Wine's taskbar puts its first icon at the right end,
// in a cell as wide as a small icon plus a border of 2 pixels on each side.
// The desktop draws its taskbar a moment after it starts: waits up to 10 s.
int CommandTrayIcon(int, wchar_t**) {
    RECT rect = {};
    const ULONGLONG end = GetTickCount64() + 10000;
    for (;;) {
        const auto bars = TopLevelWindows(L"Shell_TrayWnd", nullptr, true);
        if (!bars.empty() && GetWindowRect(bars.front(), &rect) && rect.right > rect.left) break;
        if (GetTickCount64() >= end) return 1;
        Sleep(100);
    }
    const int cell = GetSystemMetrics(SM_CXSMICON) + 4;
    Print(std::to_wstring(rect.right - cell / 2) + L" " + std::to_wstring((rect.top + rect.bottom) / 2) + L" " +
          RectText(rect));
    return 0;
}

// tooltips: every visible tooltip window (the icon's tooltip and balloons
// are drawn by the shell as tooltip windows), "rect<TAB>text".
int CommandTooltips(int, wchar_t**) {
    for (HWND window : TopLevelWindows(L"tooltips_class32", nullptr, true)) {
        RECT rect = {};
        GetWindowRect(window, &rect);
        Print(RectText(rect) + L"\t" + OneLine(TextOf(window)));
    }
    return 0;
}

// menu [TIMEOUT_MS]: the open pop-up menu: "rect ..." then, when the menu's
// items can be read from this process, "item ID FLAGS text" for each.
int CommandMenu(int argc, wchar_t** argv) {
    const DWORD timeout = argc >= 1 ? static_cast<DWORD>(Number(argv[0])) : 0;
    const ULONGLONG end = GetTickCount64() + timeout;
    std::vector<HWND> menus;
    while ((menus = TopLevelWindows(L"#32768", nullptr, true)).empty()) {
        if (GetTickCount64() >= end) return 1;
        Sleep(50);
    }
    HWND window = menus.front();
    RECT rect = {};
    GetWindowRect(window, &rect);
    Print(L"rect " + RectText(rect));
    Print(L"pid " + std::to_wstring(ProcessOf(window)));
    HMENU menu = reinterpret_cast<HMENU>(Ask(window, MN_GETHMENU));
    const int count = menu ? GetMenuItemCount(menu) : -1;
    Print(L"count " + std::to_wstring(count));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 256;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        Print(L"item " + std::to_wstring(info.wID) + L" " + std::to_wstring(info.fType) + L" " +
              std::to_wstring(info.fState) + L" " + text);
    }
    return 0;
}

// ---- message boxes -----------------------------------------------------------

struct ChildSearch {
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM parameter) {
    reinterpret_cast<ChildSearch*>(parameter)->found.push_back(window);
    return TRUE;
}

std::vector<HWND> Children(HWND parent) {
    ChildSearch search;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// msgbox TITLE TIMEOUT_MS [dismiss]: waits for a message box with that
// caption, prints "pid PID", "rect ..." and "text ..." for each static text
// in it, "button ..." for each button; with "dismiss" presses its OK button.
int CommandMessageBox(int argc, wchar_t** argv) {
    if (argc < 2) return Usage(L"msgbox TITLE TIMEOUT_MS [dismiss]");
    HWND box = WaitForWindow(L"#32770", argv[0], static_cast<DWORD>(Number(argv[1])));
    if (!box) return 1;
    Sleep(300);  // let it finish drawing
    RECT rect = {};
    GetWindowRect(box, &rect);
    Print(L"pid " + std::to_wstring(ProcessOf(box)));
    Print(L"rect " + RectText(rect));
    HWND ok = nullptr;
    for (HWND child : Children(box)) {
        const std::wstring kind = ClassOf(child);
        const std::wstring text = TextOf(child);
        if (_wcsicmp(kind.c_str(), L"Static") == 0 && !text.empty()) Print(L"text " + OneLine(text));
        if (_wcsicmp(kind.c_str(), L"Button") == 0) {
            Print(L"button " + std::to_wstring(GetDlgCtrlID(child)) + L" " + OneLine(text));
            if (GetDlgCtrlID(child) == IDOK) ok = child;
        }
    }
    if (argc >= 3 && std::wcscmp(argv[2], L"dismiss") == 0) {
        if (!ok) return 1;
        DWORD_PTR result = 0;
        SendMessageTimeoutW(ok, BM_CLICK, 0, 0, SMTO_NORMAL, 3000, &result);
    }
    return 0;
}

// ---- the settings window -----------------------------------------------------

constexpr int kLanguageListId = 1001;
constexpr int kRunAtStartupId = 1002;

HWND Control(HWND window, int id) { return GetDlgItem(window, id); }

std::wstring ListItem(HWND list, int index) {
    const LRESULT length = Ask(list, CB_GETLBTEXTLEN, index);
    if (length == CB_ERR) return {};
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
    Ask(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

// The id of the control that has the keyboard focus in the window's thread, or "none".
std::wstring FocusedControl(HWND window) {
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof thread;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread) || !thread.hwndFocus ||
        !IsChild(window, thread.hwndFocus))
        return L"none";
    return std::to_wstring(GetDlgCtrlID(thread.hwndFocus));
}

// selector read: the open settings window, one "name value" a line.
// selector choose NAME | startup on|off | ok | cancel | close: what a user does in it.
// selector keys KEY...: brings the window to the front, as a click on it
// would, and types the keys (as "keys" does) into it.
int CommandSelector(int argc, wchar_t** argv) {
    if (argc < 1) return Usage(L"selector read|choose NAME|startup on|off|ok|cancel|close|keys KEY...");
    HWND window = WaitForWindow(kSelectorClass, nullptr, 5000);
    if (!window) return 1;
    HWND list = Control(window, kLanguageListId);
    HWND check = Control(window, kRunAtStartupId);
    const std::wstring verb = argv[0];
    if (verb == L"read") {
        RECT rect = {};
        GetWindowRect(window, &rect);
        Print(L"caption " + TextOf(window));
        Print(L"rect " + RectText(rect));
        Print(L"visible " + std::to_wstring(IsWindowVisible(window) ? 1 : 0));
        Print(L"pid " + std::to_wstring(ProcessOf(window)));
        Print(L"front " + std::to_wstring(GetForegroundWindow() == window ? 1 : 0));
        Print(L"focus " + FocusedControl(window));
        if (list) {
            const LRESULT count = Ask(list, CB_GETCOUNT);
            std::wstring items;
            for (int i = 0; i < count; ++i) items += (i ? L"|" : L"") + ListItem(list, i);
            Print(L"items " + items);
            Print(L"selected " + ListItem(list, static_cast<int>(Ask(list, CB_GETCURSEL))));
        }
        if (check) Print(L"startup " + std::to_wstring(Ask(check, BM_GETCHECK) == BST_CHECKED ? 1 : 0));
        for (HWND child : Children(window)) {
            const int id = GetDlgCtrlID(child);
            if (id == IDOK || id == IDCANCEL || (id == 0 && ClassOf(child) == L"Static"))
                Print(L"control " + std::to_wstring(id) + L" " + OneLine(TextOf(child)));
        }
        return 0;
    }
    if (verb == L"choose" && argc >= 2 && list) {
        const LRESULT count = Ask(list, CB_GETCOUNT);
        for (int i = 0; i < count; ++i) {
            if (ListItem(list, i) == argv[1]) {
                Ask(list, CB_SETCURSEL, i);
                // What the list tells its parent after a user's choice.
                Ask(window, WM_COMMAND, MAKEWPARAM(kLanguageListId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
                return 0;
            }
        }
        return 1;
    }
    if (verb == L"startup" && argc >= 2 && check) {
        const bool wanted = std::wcscmp(argv[1], L"on") == 0;
        if ((Ask(check, BM_GETCHECK) == BST_CHECKED) != wanted) Ask(check, BM_CLICK);
        return (Ask(check, BM_GETCHECK) == BST_CHECKED) == wanted ? 0 : 1;
    }
    if (verb == L"ok" || verb == L"cancel") {
        HWND button = Control(window, verb == L"ok" ? IDOK : IDCANCEL);
        if (!button) return 1;
        Ask(button, BM_CLICK);
        return 0;
    }
    if (verb == L"close") return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    if (verb == L"keys") {
        if (GetForegroundWindow() != window) SetForegroundWindow(window);
        const ULONGLONG end = GetTickCount64() + 3000;
        while (GetForegroundWindow() != window) {
            if (GetTickCount64() >= end) return 1;
            Sleep(50);
        }
        return CommandKeys(argc - 1, argv + 1);
    }
    return Usage(L"selector read|choose NAME|startup on|off|ok|cancel|close|keys KEY...");
}

// shortcuts put 1|2 WORD | get 1|2 | status 1|2 | ok | cancel | keys KEY...: the
// keyboard-shortcuts window as a user fills it. WORD is a hotkey control's word
// (0x0648 is Ctrl+Alt+H); "keys" types into the field that has the focus.
int CommandShortcuts(int argc, wchar_t** argv) {
    if (argc < 1) return Usage(L"shortcuts put 1|2 WORD|get 1|2|status 1|2|ok|cancel|keys KEY...");
    HWND window = WaitForWindow(L"VeiluxShortcutsWindow", nullptr, 5000);
    if (!window) return 1;
    const std::wstring verb = argv[0];
    const int field = argc >= 2 && std::wcscmp(argv[1], L"2") == 0 ? 1 : 0;
    HWND hotkey = Control(window, 1101 + field), status = Control(window, 1111 + field);
    wchar_t word[16];
    if (verb == L"put" && argc >= 3) {
        Ask(hotkey, HKM_SETHOTKEY, static_cast<WPARAM>(Number(argv[2])));
    } else if (verb == L"get") {
        swprintf(word, 16, L"0x%04X", static_cast<unsigned>(LOWORD(Ask(hotkey, HKM_GETHOTKEY))));
        Print(word);
    } else if (verb == L"status") {
        Print(TextOf(status));
    } else if (verb == L"ok" || verb == L"cancel") {
        Ask(Control(window, verb == L"ok" ? IDOK : IDCANCEL), BM_CLICK);
    } else if (verb == L"keys") {
        SetForegroundWindow(window);
        for (int tries = 0; tries < 60 && GetForegroundWindow() != window; ++tries) Sleep(50);
        return CommandKeys(argc - 1, argv + 1);
    } else {
        return Usage(L"shortcuts put 1|2 WORD|get 1|2|status 1|2|ok|cancel|keys KEY...");
    }
    return 0;
}

// hold MODIFIERS KEY MS: holds a global hotkey (RegisterHotKey's modifiers and
// key, e.g. 0x3 0x58 for Ctrl+Alt+X) as another program would, for MS
// milliseconds; prints "held" once it has it.
int CommandHold(int argc, wchar_t** argv) {
    if (argc < 3) return Usage(L"hold MODIFIERS KEY MS");
    if (!RegisterHotKey(nullptr, 1, static_cast<UINT>(Number(argv[0])), static_cast<UINT>(Number(argv[1])))) return 1;
    Print(L"held");
    Sleep(static_cast<DWORD>(Number(argv[2])));
    return 0;
}

// ---- the registry (HKEY_CURRENT_USER) ---------------------------------------

std::wstring HexBytes(const BYTE* bytes, DWORD size) {
    std::wstring text;
    for (DWORD i = 0; i < size; ++i) {
        wchar_t pair[4];
        swprintf(pair, 4, L"%02x", bytes[i]);
        text += pair;
    }
    return text;
}

// reg get KEY VALUE | reg set KEY VALUE sz|dword|binary DATA | reg delete KEY [VALUE] | reg stamp KEY
// "get" prints "REG_SZ text", "REG_DWORD n", "TYPE hexbytes" or "absent".
int CommandRegistry(int argc, wchar_t** argv) {
    if (argc < 2) return Usage(L"reg get|set|delete KEY [VALUE] [TYPE DATA]");
    const std::wstring verb = argv[0];
    const wchar_t* key = argv[1];
    if (verb == L"get" && argc >= 3) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegGetValueW(HKEY_CURRENT_USER, key, argv[2], RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &size) !=
            ERROR_SUCCESS) {
            Print(L"absent");
            return 0;
        }
        std::vector<BYTE> data(size + 2, 0);
        RegGetValueW(HKEY_CURRENT_USER, key, argv[2], RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(), &size);
        if (type == REG_SZ) {
            // The stored bytes as they are: a missing or extra NUL would show in the byte count.
            std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
            Print(L"REG_SZ " + std::to_wstring(size) + L" " + OneLine(text.c_str()));
        } else if (type == REG_DWORD && size == 4) {
            DWORD value = 0;
            memcpy(&value, data.data(), 4);
            Print(L"REG_DWORD " + std::to_wstring(value));
        } else {
            Print(L"TYPE" + std::to_wstring(type) + L" " + HexBytes(data.data(), size));
        }
        return 0;
    }
    if (verb == L"set" && argc >= 5) {
        HKEY handle = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
            ERROR_SUCCESS)
            return 1;
        const std::wstring type = argv[3];
        LSTATUS status = ERROR_INVALID_PARAMETER;
        if (type == L"sz") {
            const std::wstring text = argv[4];
            status = RegSetValueExW(handle, argv[2], 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        } else if (type == L"dword") {
            const DWORD value = static_cast<DWORD>(Number(argv[4]));
            status = RegSetValueExW(handle, argv[2], 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
        } else if (type == L"binary") {
            std::vector<BYTE> bytes;
            for (const wchar_t* p = argv[4]; p[0] && p[1]; p += 2) {
                const wchar_t pair[3] = {p[0], p[1], 0};
                bytes.push_back(static_cast<BYTE>(wcstoul(pair, nullptr, 16)));
            }
            status = RegSetValueExW(handle, argv[2], 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
        }
        RegCloseKey(handle);
        return status == ERROR_SUCCESS ? 0 : 1;
    }
    if (verb == L"stamp") {
        // The key's last write time, in 100 ns units: it moves with every value written.
        HKEY handle = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) {
            Print(L"absent");
            return 0;
        }
        FILETIME written = {};
        RegQueryInfoKeyW(handle, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, &written);
        RegCloseKey(handle);
        Print(std::to_wstring((static_cast<unsigned long long>(written.dwHighDateTime) << 32) | written.dwLowDateTime));
        return 0;
    }
    if (verb == L"delete") {
        if (argc >= 3) {
            const LSTATUS status = RegDeleteKeyValueW(HKEY_CURRENT_USER, key, argv[2]);
            return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? 0 : 1;
        }
        const LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, key);
        RegDeleteKeyW(HKEY_CURRENT_USER, key);
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? 0 : 1;
    }
    return Usage(L"reg get|set|delete KEY [VALUE] [TYPE DATA]");
}

// hidden FOLDER: the names of FOLDER's hidden entries, one a line.
int CommandHidden(int argc, wchar_t** argv) {
    if (argc < 1) return Usage(L"hidden FOLDER");
    WIN32_FIND_DATAW entry = {};
    HANDLE search = FindFirstFileW((std::wstring(argv[0]) + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return 1;
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) Print(entry.cFileName);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return 0;
}

// ---- the prefix --------------------------------------------------------------

// trust-ca FILE.der: adds a certificate authority to this prefix's own
// machine-wide "Root" store, so that HTTPS to a test server is checked for real.
int CommandTrustCa(int argc, wchar_t** argv) {
    if (argc < 1) return Usage(L"trust-ca FILE.der");
    return AddTrustedRoot(argv[0]) ? 0 : 1;
}

// record FILE ADDRESS: appends the address and a line feed to FILE; this is
// what the test prefix runs to "open a web page".
int CommandRecord(int argc, wchar_t** argv) {
    if (argc < 2) return Usage(L"record FILE ADDRESS");
    HANDLE file = CreateFileW(argv[0], FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    const std::wstring line = std::wstring(argv[1]) + L"\n";
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), utf8.data(), bytes, nullptr, nullptr);
    DWORD written = 0;
    const BOOL ok = WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    CloseHandle(file);
    return ok ? 0 : 1;
}

// load-library NAME: loads a DLL by the ordinary search order, as a program
// that does not guard itself would; prints the path it came from.
int CommandLoadLibrary(int argc, wchar_t** argv) {
    if (argc < 1) return Usage(L"load-library NAME");
    HMODULE module = LoadLibraryW(argv[0]);
    if (!module) return 1;
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    Print(path);
    return 0;
}

// broadcast AREA: announces a changed setting to every top-level window, as
// Explorer does with "ShellState" after a change in its options.
int CommandBroadcast(int argc, wchar_t** argv) {
    if (argc < 1) return Usage(L"broadcast AREA");
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(argv[0]), SMTO_ABORTIFHUNG,
                               5000, &ignored)
               ? 0
               : 1;
}

// A stand-in for an open Explorer folder window: every WM_COMMAND it gets
// is appended to its file as the decimal command id, one a line.
HANDLE g_commandLog = INVALID_HANDLE_VALUE;
LRESULT CALLBACK FolderWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        const std::string line = std::to_string(LOWORD(wParam)) + "\n";
        DWORD written = 0;
        WriteFile(g_commandLog, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

// folder-window FILE SECONDS: a top-level window of Explorer's folder-window
// class "CabinetWClass" that writes down the commands it receives, for
// SECONDS or until closed.
int CommandFolderWindow(int argc, wchar_t** argv) {
    if (argc < 2) return Usage(L"folder-window FILE SECONDS");
    g_commandLog = CreateFileW(argv[0], FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (g_commandLog == INVALID_HANDLE_VALUE) return 1;
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = FolderWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"CabinetWClass";
    if (!RegisterClassW(&windowClass)) return 1;
    HWND window = CreateWindowExW(0, L"CabinetWClass", L"Documents", WS_OVERLAPPED, 0, 0, 200, 100, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    if (!window) return 1;
    SetTimer(window, 1, static_cast<UINT>(Number(argv[1]) * 1000), nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER) DestroyWindow(window);
        DispatchMessageW(&message);
    }
    CloseHandle(g_commandLog);
    return 0;
}

struct Command {
    const wchar_t* name;
    int (*run)(int, wchar_t**);
};

// One command a line, whatever their number.
// clang-format off
const Command kCommands[] = {
    {L"find", CommandFind},
    {L"gone", CommandGone},
    {L"windows", CommandWindows},
    {L"post", CommandPost},
    {L"ping", CommandPing},
    {L"memory", CommandMemory},
    {L"modules", CommandModules},
    {L"processes", CommandProcesses},
    {L"mutex", CommandMutex},
    {L"hotkey", CommandHotkey},
    {L"keys", CommandKeys},
    {L"trayicon", CommandTrayIcon},
    {L"tooltips", CommandTooltips},
    {L"menu", CommandMenu},
    {L"msgbox", CommandMessageBox},
    {L"selector", CommandSelector},
    {L"shortcuts", CommandShortcuts},
    {L"hold", CommandHold},
    {L"reg", CommandRegistry},
    {L"trust-ca", CommandTrustCa},
    {L"record", CommandRecord},
    {L"load-library", CommandLoadLibrary},
    {L"broadcast", CommandBroadcast},
    {L"folder-window", CommandFolderWindow},
    {L"hidden", CommandHidden},
};
// clang-format on

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return Usage(L"e2e_driver COMMAND [ARGUMENTS...]");
    for (const Command& command : kCommands)
        if (std::wcscmp(argv[1], command.name) == 0) return command.run(argc - 2, argv + 2);
    return Usage(L"e2e_driver COMMAND [ARGUMENTS...]: unknown command");
}
