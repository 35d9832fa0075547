#include "app/command_output.h"

#include <windows.h>

#include <string>

#include "app/command_words.h"

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

bool WriteOutput(OutputStream stream, std::wstring_view text) {
    const HANDLE handle = Destination(stream);
    if (!handle) return false;
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        // A console shows every language's letters only when handed UTF-16.
        DWORD written = 0;
        return WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != 0 &&
               written == text.size();
    }
    const std::string bytes = Utf8(text);
    DWORD written = 0;
    return WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0 &&
           written == bytes.size();
}
