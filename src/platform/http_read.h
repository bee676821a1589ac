#pragma once

#include "text.h"

namespace velloran {

// The body of one HTTP GET of the page (error pages too, redirects followed); empty on
// any failure before the body, what arrived when the body breaks off or runs too long.
Bytes readAddressPage(const Text& pageAddress);

// Closes the Internet session that the first read opened; called at shutdown.
void closeInternetSession();

}  // namespace velloran
