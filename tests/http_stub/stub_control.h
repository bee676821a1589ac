#pragma once

#include <string>

namespace velloran::test {

// Talks to tests/http_stub/stub_server.py over its control port on loopback.

// The head of the last request that reached the stub for this host, byte for byte;
// empty when none did.
std::string lastRequestTo(const std::string& host);

// How the echo host answers from now on: "ok", "notfound", "silent", ... or "down"
// (nothing listens on port 80). False when the stub did not take it.
bool setEchoScenario(const std::string& scenario);

}  // namespace velloran::test
