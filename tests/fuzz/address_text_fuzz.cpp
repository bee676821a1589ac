// Fuzzes the echo-page text routines: no crash, no read past the end, and the
// results keep their bounds.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "net/address_text.h"

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool sameIgnoringLetterCase(const velloran::Text& a, std::size_t at, const velloran::Text& b) {
    for (std::size_t i = 0; i < b.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[at + i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x != y && !(x < 0x80 && y < 0x80 && std::tolower(x) == std::tolower(y))) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velloran;
    const Bytes body(data, data + size);
    const Text page = bytesToText(body);
    check(page.size() <= body.size());
    check(page.find('\0') == Text::npos);

    const Text address = cutAddress(page);
    check(address.size() <= 15);
    if (!address.empty()) {
        // The address is the text right after the first marker.
        const int marker = findText(page, kAddressMarker);
        check(marker > 0);
        const std::size_t after = static_cast<std::size_t>(marker - 1) + sizeof kAddressMarker - 1;
        check(page.compare(after, address.size(), address) == 0);
    }

    // The first bytes choose a needle and a slice of the page.
    const std::size_t needleLength = size > 0 ? data[0] % 8 : 0;
    const Text needle = page.substr(0, needleLength);
    const int start = size > 1 ? static_cast<int>(static_cast<std::int8_t>(data[1])) : 0;
    const int count = size > 2 ? static_cast<int>(static_cast<std::int8_t>(data[2])) : 0;
    const Text rest = page.substr(needle.size());

    const int found = findText(rest, needle);
    if (found != -1) {
        check(found >= 1);
        check(static_cast<std::size_t>(found - 1) + needle.size() <= rest.size());
        check(sameIgnoringLetterCase(rest, static_cast<std::size_t>(found - 1), needle));
    }

    const Text middle = midText(page, start, count);
    check(middle.size() <= static_cast<std::size_t>(count > 0 ? count : 0));
    if (!middle.empty()) {
        check(page.compare(static_cast<std::size_t>(start - 1), middle.size(), middle) == 0);
    }

    const Text left = leftText(page, count);
    check(left.size() <= page.size());
    check(page.compare(0, left.size(), left) == 0);
    return 0;
}
