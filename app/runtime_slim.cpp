// Linked into veilux.exe only. With GCC's static C++ runtime, the handler
// that std::terminate uses by default prints the escaping exception's
// demangled type name to stderr, and so pulls the whole C++ demangler
// (about 45 KB, with the C runtime's printf) into the program. A GUI program
// has no stderr to print to, and the program throws nothing it could name:
// this stand-in reports every name as undemangleable, so the handler still
// aborts exactly as before, only without linking the demangler.
#include <cstddef>  // first: it tells which C++ runtime this is

#if defined(__GLIBCXX__)

// NOLINTNEXTLINE(bugprone-reserved-identifier): the runtime's own name, replaced on purpose
extern "C" char* __cxa_demangle(const char*, char*, std::size_t*, int* status) {
    if (status) *status = -2;  // "not a mangled name": the caller keeps the raw one
    return nullptr;
}

#include <exception>

// The containers report a failed allocation, an impossible length or a
// position past the end, and std::function a call of an empty one, by
// throwing through these; the runtime's own versions build exception objects
// whose messages are copy-on-write strings, which pull in both string
// implementations and more (about 50 KB). The program catches nothing, so
// each such throw ends in std::terminate: these go there at once.
// NOLINTBEGIN(bugprone-reserved-identifier,cert-dcl58-cpp): the runtime's own names, replaced on purpose
namespace std {
[[noreturn]] void __throw_bad_alloc() { std::terminate(); }
[[noreturn]] void __throw_bad_array_new_length() { std::terminate(); }
[[noreturn]] void __throw_length_error(const char*) { std::terminate(); }
[[noreturn]] void __throw_logic_error(const char*) { std::terminate(); }
[[noreturn]] void __throw_bad_function_call() { std::terminate(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { std::terminate(); }
}  // namespace std
// NOLINTEND(bugprone-reserved-identifier,cert-dcl58-cpp)

#endif
