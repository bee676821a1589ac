#include "net/address_text.h"

#include <algorithm>

namespace velloran {
namespace {

// The longest dotted IPv4 address, "255.255.255.255".
constexpr int kLongestAddress = 15;

unsigned char lowerAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

bool matchesAt(const Text& text, size_t at, const Text& needle) {
    for (size_t i = 0; i < needle.size(); ++i) {
        if (lowerAscii(static_cast<unsigned char>(text[at + i])) !=
            lowerAscii(static_cast<unsigned char>(needle[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

Text bytesToText(const Bytes& bytes) {
    const auto end = std::find(bytes.begin(), bytes.end(), 0);
    return Text(bytes.begin(), end);
}

int findText(const Text& text, const Text& needle) {
    size_t at = 0;
    while (at + needle.size() <= text.size()) {
        if (matchesAt(text, at, needle)) {
            return static_cast<int>(at) + 1;
        }
        // A lead byte of a GBK double-byte character takes its trail byte along.
        at += static_cast<unsigned char>(text[at]) >= 0x80 ? 2 : 1;
    }
    return -1;
}

Text midText(const Text& text, int start, int count) {
    const long long from = static_cast<long long>(start) - 1;
    if (from < 0 || from >= static_cast<long long>(text.size()) || count <= 0) {
        return Text();
    }
    return text.substr(static_cast<size_t>(from), static_cast<size_t>(count));
}

Text leftText(const Text& text, int count) {
    if (count <= 0) {
        return Text();
    }
    return text.substr(0, static_cast<size_t>(count));
}

Text cutAddress(const Text& page) {
    const int marker = findText(page, kAddressMarker);
    if (marker < 0) {
        return Text();
    }
    // One byte more than the longest address, so that its closing apostrophe is seen.
    const Text slice =
        midText(page, marker + static_cast<int>(sizeof kAddressMarker) - 1, kLongestAddress + 1);
    const int apostrophe = findText(slice, "'");
    if (apostrophe < 0) {
        return Text();
    }
    return leftText(slice, apostrophe - 1);
}

}  // namespace velloran
