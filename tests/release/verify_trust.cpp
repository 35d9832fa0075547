// Asks Windows' own Authenticode check, WinVerifyTrust with
// WINTRUST_ACTION_GENERIC_VERIFY_V2, what it makes of each file given, and
// prints one line per file: the result as 0x%08X, a space, the path.
//
// Usage: verify_trust [--trust ROOT.der] FILE...
// --trust first adds a root certificate to this prefix's machine-wide "Root"
// store, so that a file signed under a throwaway root is trusted as Windows
// would trust a release signed under a real one. Exit code 0 when every file
// was checked, 1 when the root could not be added, 2 on bad usage.
#include <windows.h>
#include <softpub.h>
#include <wincrypt.h>
#include <wintrust.h>

#include <cstdio>
#include <cwchar>

#include "tests/support/trusted_root.h"

namespace {

// No user interface and no revocation lookup: there is no network here, and
// a release's certificate is checked for revocation by Windows on the user's
// machine, not by this test.
LONG VerifyFile(const wchar_t* path) {
    WINTRUST_FILE_INFO file = {};
    file.cbStruct = sizeof file;
    file.pcwszFilePath = path;

    WINTRUST_DATA data = {};
    data.cbStruct = sizeof data;
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &file;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    data.dwProvFlags = WTD_REVOCATION_CHECK_NONE;

    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    const LONG result = WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    // The verify call keeps state for a later close; it must be freed even
    // when the file failed.
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int first = 1;
    if (argc > 2 && std::wcscmp(argv[1], L"--trust") == 0) {
        if (!AddTrustedRoot(argv[2])) {
            std::fwprintf(stderr, L"cannot add %ls to the Root store\n", argv[2]);
            return 1;
        }
        first = 3;
    }
    if (first >= argc) {
        std::fwprintf(stderr, L"usage: verify_trust [--trust ROOT.der] FILE...\n");
        return 2;
    }
    for (int i = first; i < argc; ++i) {
        std::wprintf(L"0x%08lX %ls\n", static_cast<unsigned long>(VerifyFile(argv[i])), argv[i]);
    }
    return 0;
}
