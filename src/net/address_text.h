#pragma once

#include "text.h"

namespace velloran {

// The IP-echo page holds the address right after this text, closed by an apostrophe.
inline constexpr char kAddressMarker[] = "var ipaddress = '";

// The page text: the bytes before the first NUL, all of them when there is none.
Text bytesToText(const Bytes& bytes);

// 1-based byte position of the first occurrence of needle, or -1. Letters match in
// either case; the scan steps over double-byte characters, so a match begins only
// where a character begins.
int findText(const Text& text, const Text& needle);

// Up to count bytes from the 1-based start; empty when start lies outside the text.
Text midText(const Text& text, int start, int count);

// The first count bytes (the whole text when it is shorter); empty for count <= 0.
Text leftText(const Text& text, int count);

// The address after the marker, up to the apostrophe that closes it; empty when the
// page has no marker or no apostrophe closes an address of at most 15 bytes.
Text cutAddress(const Text& page);

}  // namespace velloran
