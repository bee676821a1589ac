#pragma once

#include <string>
#include <vector>

namespace velloran {

// A text is GBK bytes (code page 936), handed to the ANSI APIs unchanged.
// An absent text behaves as the empty one, so a plain string serves.
using Text = std::string;

// A counted byte buffer, as written to a file or read from the network.
using Bytes = std::vector<unsigned char>;

inline Bytes toBytes(const Text& text) {
    return Bytes(text.begin(), text.end());
}

}  // namespace velloran
