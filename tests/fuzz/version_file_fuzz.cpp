// The downloaded version file, whole, as the update check hands it over. The
// answer must match a second, plain reading of the same bytes, and nothing
// past the read bound may be touched.
#include <sanitizer/asan_interface.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "update/version_rule.h"

namespace {

void Check(bool holds) {
    if (!holds) std::abort();
}

struct PlainReading {
    bool empty = true;
    bool negative = false;
    std::string digits;  // without leading zeros
};

// String operations only: cut at the bound, cut at the line end, skip the
// white space, take the sign and the digits.
PlainReading ReadPlainly(const std::string& file) {
    std::string line = file.substr(0, kVersionFileReadLimit);
    const std::size_t end = line.find_first_of(std::string("\n\x1A", 2));
    if (end != std::string::npos) {
        const bool crlf = line[end] == '\n' && end > 0 && line[end - 1] == '\r';
        line.resize(crlf ? end - 1 : end);
    }
    PlainReading plain;
    plain.empty = line.empty();
    std::size_t pos = line.find_first_not_of(std::string("\t\v\f\r \x85\xA0", 7));
    if (pos == std::string::npos) return plain;
    if (line[pos] == '+' || line[pos] == '-') plain.negative = line[pos++] == '-';
    const std::size_t stop = std::min(line.find_first_not_of("0123456789", pos), line.size());
    plain.digits = line.substr(pos, stop - pos);
    plain.digits.erase(0, plain.digits.find_first_not_of('0'));
    return plain;
}

long long ClampedCode(const PlainReading& plain) {
    const long long magnitude = plain.digits.size() > 11 ? LLONG_MAX / 2 : std::atoll(plain.digits.c_str());
    const long long value = plain.negative ? -magnitude : magnitude;
    return std::clamp<long long>(value, INT_MIN, INT_MAX);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The bytes past the bound are poisoned: any look at them stops the run.
    std::vector<unsigned char> file(data, data + size);
    if (size > kVersionFileReadLimit)
        ASAN_POISON_MEMORY_REGION(file.data() + kVersionFileReadLimit, size - kVersionFileReadLimit);
    const VersionAnswer answer = JudgeVersionFile(file.data(), size);
    const VersionLine line = ReadVersionLine(file.data(), std::min(size, kVersionFileReadLimit));
    ASAN_UNPOISON_MEMORY_REGION(file.data(), size);

    const PlainReading plain = ReadPlainly(std::string(file.begin(), file.end()));
    Check(line.empty == plain.empty);
    Check(line.code == ClampedCode(plain));
    // Newer exactly when the number itself, as written, is above the program's own code.
    const std::string own = std::to_string(CurrentVersionCode);
    const bool above = !plain.negative &&
                       (plain.digits.size() > own.size() || (plain.digits.size() == own.size() && plain.digits > own));
    const VersionAnswer expected = plain.empty ? VersionAnswer::Empty
                                   : above     ? VersionAnswer::Newer
                                               : VersionAnswer::NotNewer;
    Check(answer == expected);
    return 0;
}
