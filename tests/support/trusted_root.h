// Adds a certificate authority to the Wine prefix's machine-wide "Root"
// store, so that what it signed (a test server's HTTPS certificate, a test
// release's Authenticode signature) is trusted as a real one would be.
#pragma once

#include <windows.h>
#include <wincrypt.h>

#include <vector>

inline std::vector<BYTE> ReadWholeFile(const wchar_t* path) {
    std::vector<BYTE> bytes;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    BYTE chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got) bytes.insert(bytes.end(), chunk, chunk + got);
    CloseHandle(file);
    return bytes;
}

// ROOT.der is one DER-encoded certificate.
inline bool AddTrustedRoot(const wchar_t* derPath) {
    const std::vector<BYTE> der = ReadWholeFile(derPath);
    if (der.empty()) return false;
    HCERTSTORE store = CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, L"Root");
    if (!store) return false;
    const BOOL added = CertAddEncodedCertificateToStore(
        store, X509_ASN_ENCODING, der.data(), static_cast<DWORD>(der.size()), CERT_STORE_ADD_REPLACE_EXISTING, nullptr);
    CertCloseStore(store, 0);
    return added != FALSE;
}
