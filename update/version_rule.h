// How the version file's first line is read, and what counts as newer.
// Portable: works on the raw bytes of the downloaded file.
#pragma once

#include <cstddef>

#include "veilux_version.h"

// The program's own version code, 100 for version 1.0.0.
inline constexpr int CurrentVersionCode = VEILUX_VERSION_CODE;

// Never more than this many bytes of the version file are read or held; a
// real version file is a few bytes long.
inline constexpr std::size_t kVersionFileReadLimit = 4096;

struct VersionLine {
    bool empty = true;  // the first line holds no character at all
    int code = 0;       // its leading decimal integer, 0 when there is none
};

// Reads the file as text, byte by byte: CR LF counts as one line feed, a 0x1A
// byte ends the text, and only the characters before the first line feed count.
// The code is the line's leading integer after white space (tab, VT, FF, CR,
// space, 0x85, 0xA0) and one optional sign, clamped to the 32-bit range.
VersionLine ReadVersionLine(const unsigned char* bytes, std::size_t size);

inline bool IsNewerVersion(int code) { return code > CurrentVersionCode; }
