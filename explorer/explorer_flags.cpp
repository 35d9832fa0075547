#include "explorer/explorer_flags.h"

std::uint32_t WithHiddenFilesBits(std::uint32_t word, bool show, bool includeSystem) {
    word &= ~(kShowAllObjectsBit | kShowSuperHiddenBit);
    if (show) word |= kShowAllObjectsBit;
    if (includeSystem) word |= kShowSuperHiddenBit;
    return word;
}

std::uint32_t WithExtensionsBit(std::uint32_t word, bool shown) {
    word &= ~kShowExtensionsBit;
    if (shown) word |= kShowExtensionsBit;
    return word;
}
