#include "app/command_output.h"

#include <windows.h>

#include <string>

namespace {

// A handle counts when it names something to write to; a GUI program
// started from Explorer or a shortcut has none, or a null one.
bool Usable(HANDLE handle) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
    return GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// The parent's console, once: a GUI program writes there only after
// attaching, and then through CONOUT$, since its standard handles stay unset.
HANDLE ParentConsole() {
    static HANDLE console = INVALID_HANDLE_VALUE;
    static bool tried = false;
    if (!tried) {
        tried = true;
        if (AttachConsole(ATTACH_PARENT_PROCESS))
            console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
    }
    return console;
}

HANDLE Destination(OutputStream stream) {
    const HANDLE given = GetStdHandle(stream == OutputStream::Out ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if (Usable(given)) return given;
    const HANDLE console = ParentConsole();
    return Usable(console) ? console : nullptr;
}

}  // namespace

bool WriteOutput(OutputStream stream, std::string_view text) {
    const HANDLE handle = Destination(stream);
    if (!handle || text.empty()) return handle != nullptr;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        // A console shows every language's letters only when handed UTF-16,
        // whatever its code page.
        const int size = static_cast<int>(text.size());
        std::wstring units(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0)),
                           L'\0');
        MultiByteToWideChar(CP_UTF8, 0, text.data(), size, units.data(), static_cast<int>(units.size()));
        return WriteConsoleW(handle, units.data(), static_cast<DWORD>(units.size()), &written, nullptr) != 0 &&
               written == units.size();
    }
    return WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != 0 &&
           written == text.size();
}
