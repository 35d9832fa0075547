// Linked into veilux.exe only. With GCC's static C++ runtime, the handler
// that std::terminate uses by default prints the escaping exception's
// demangled type name to stderr, and so pulls the whole C++ demangler
// (about 45 KB, with the C runtime's printf) into the program. A GUI program
// has no stderr to print to, and the program throws nothing it could name:
// this stand-in reports every name as undemangleable, so the handler still
// aborts exactly as before, only without linking the demangler.
#include <cstddef>  // first: it tells which C++ runtime this is

#if defined(__GLIBCXX__)

extern "C" char* __cxa_demangle(const char*, char*, std::size_t*, int* status) {
    if (status) *status = -2;  // "not a mangled name": the caller keeps the raw one
    return nullptr;
}

#endif
