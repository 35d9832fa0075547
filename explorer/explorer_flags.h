// The arithmetic of Explorer's view settings: the bits the program changes in
// the first word of the shell's settings record, and the encodings of
// Explorer's registry values. Portable: no Windows headers.
#pragma once

#include <cstdint>

inline constexpr std::uint32_t kShowAllObjectsBit = 1u << 0;  // hidden files shown
inline constexpr std::uint32_t kShowExtensionsBit = 1u << 1;  // file-name extensions shown
inline constexpr std::uint32_t kShowSuperHiddenBit = 1u << 15;  // protected system files shown

// Masks for the shell's get/set call.
// SSF_SHOWALLOBJECTS | SSF_SHOWSUPERHIDDEN
inline constexpr std::uint32_t kHiddenFilesMask = 0x00000001u | 0x00040000u;
inline constexpr std::uint32_t kExtensionsMask = 0x00000002u;  // SSF_SHOWEXTENSIONS

// The word with bit 0 set to show and bit 15 to includeSystem; every other bit kept.
std::uint32_t WithHiddenFilesBits(std::uint32_t word, bool show, bool includeSystem);
// The word with bit 1 set to shown; every other bit kept.
std::uint32_t WithExtensionsBit(std::uint32_t word, bool shown);

// "Hidden" uses 1 for shown and 2 for not shown, as Explorer writes it.
inline std::uint32_t ShownOrNotValue(bool yes) { return yes ? 1u : 2u; }
// "HideFileExt" is 1 while extensions are hidden.
inline std::uint32_t HideFileExtValue(bool extensionsShown) { return extensionsShown ? 0u : 1u; }
// "ShowSuperHidden" and the program's own switches use 1 and 0. Readers
// commonly take any value but 0 as on, so "not shown" must be 0.
inline std::uint32_t OnOffValue(bool on) { return on ? 1u : 0u; }
