#include "update/version_rule.h"

#include <algorithm>
#include <climits>

namespace {

bool IsLeadingSpace(unsigned char c) {
    return c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == ' ' || c == 0x85 || c == 0xA0;
}

// The characters of the first line, one at a time, with the text-mode rules
// applied: a CR directly before a LF is dropped, and a LF or 0x1A ends the line.
class FirstLine {
public:
    FirstLine(const unsigned char* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    bool Next(unsigned char& c) {
        if (pos_ >= size_) return false;
        const unsigned char b = bytes_[pos_];
        if (b == '\n' || b == 0x1A) return false;
        if (b == '\r' && pos_ + 1 < size_ && bytes_[pos_ + 1] == '\n') return false;
        ++pos_;
        c = b;
        return true;
    }

private:
    const unsigned char* bytes_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace

VersionLine ReadVersionLine(const unsigned char* bytes, std::size_t size) {
    VersionLine result;
    FirstLine line(bytes, size);
    unsigned char c = 0;
    bool more = line.Next(c);
    result.empty = !more;
    while (more && IsLeadingSpace(c)) more = line.Next(c);

    bool negative = false;
    if (more && (c == '+' || c == '-')) {
        negative = c == '-';
        more = line.Next(c);
    }
    // Accumulate as a negative number so that INT_MIN itself is reachable.
    long long value = 0;
    bool clamped = false;
    while (more && c >= '0' && c <= '9') {
        if (!clamped) {
            value = value * 10 - (c - '0');
            if (value < static_cast<long long>(INT_MIN) - 1) clamped = true;
        }
        more = line.Next(c);
    }
    if (negative) {
        result.code = (clamped || value < INT_MIN) ? INT_MIN : static_cast<int>(value);
    } else {
        result.code = (clamped || -value > INT_MAX) ? INT_MAX : static_cast<int>(-value);
    }
    return result;
}

VersionAnswer JudgeVersionFile(const unsigned char* bytes, std::size_t size) {
    const VersionLine line = ReadVersionLine(bytes, std::min(size, kVersionFileReadLimit));
    if (line.empty) return VersionAnswer::Empty;
    return IsNewerVersion(line.code) ? VersionAnswer::Newer : VersionAnswer::NotNewer;
}
