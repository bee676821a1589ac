#include "platform/http_read.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "platform/handles.h"

namespace velloran {
namespace {

constexpr char kUserAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

// A silent host must not hold the window for minutes: each wait has its own limit,
// and no piece of the body is asked for once the lookup has run this long, so the
// whole read ends within about ten seconds.
constexpr DWORD kConnectLimitMs = 3000;
constexpr DWORD kSendLimitMs = 2000;
constexpr DWORD kReceiveLimitMs = 3000;
constexpr ULONGLONG kLastPieceAfterMs = 10000 - kReceiveLimitMs;

// An address page is a few kilobytes; an endless body must not eat the memory.
constexpr size_t kBodyLimit = 1024 * 1024;
constexpr DWORD kLargestPiece = 102400;
constexpr DWORD kDefaultPiece = 10240;

UniqueInternet& session() {
    static UniqueInternet internet;
    return internet;
}

void setTimeLimit(HINTERNET handle, DWORD option, DWORD milliseconds) {
    InternetSetOptionA(handle, option, &milliseconds, sizeof milliseconds);
}

// Set on the session and again on the connection: some WinINet versions take the limits
// from the one, some from the other.
void setTimeLimits(HINTERNET handle) {
    setTimeLimit(handle, INTERNET_OPTION_CONNECT_TIMEOUT, kConnectLimitMs);
    setTimeLimit(handle, INTERNET_OPTION_SEND_TIMEOUT, kSendLimitMs);
    setTimeLimit(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, kReceiveLimitMs);
}

// Opened at the first read and kept for the rest of the run.
HINTERNET openSession() {
    UniqueInternet& internet = session();
    if (!internet) {
        internet.reset(InternetOpenA(kUserAgent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
        if (internet) {
            setTimeLimits(internet.get());
        }
    }
    return internet.get();
}

struct PageLocation {
    std::array<char, INTERNET_MAX_HOST_NAME_LENGTH + 1> host{};
    std::array<char, INTERNET_MAX_PATH_LENGTH + 1> path{};
    std::array<char, INTERNET_MAX_PATH_LENGTH + 1> query{};
    INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT;

    Text target() const { return Text(path.data()) + query.data(); }
};

bool locatePage(const Text& pageAddress, PageLocation& location) {
    // No percent-encoding: the echo service expects its apostrophes and brackets as they are.
    std::array<char, INTERNET_MAX_URL_LENGTH + 1> canonical{};
    DWORD length = canonical.size();
    if (!InternetCanonicalizeUrlA(pageAddress.c_str(), canonical.data(), &length, ICU_NO_ENCODE)) {
        return false;
    }
    URL_COMPONENTSA parts{};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = location.host.data();
    parts.dwHostNameLength = location.host.size();
    parts.lpszUrlPath = location.path.data();
    parts.dwUrlPathLength = location.path.size();
    parts.lpszExtraInfo = location.query.data();
    parts.dwExtraInfoLength = location.query.size();
    if (!InternetCrackUrlA(canonical.data(), length, 0, &parts)) {
        return false;
    }
    location.port = parts.nPort;
    return true;
}

void useSystemProxy(HINTERNET internet, HINTERNET connection) {
    INTERNET_PROXY_INFO proxy{};
    proxy.dwAccessType = INTERNET_OPEN_TYPE_PRECONFIG;
    InternetSetOptionA(internet, INTERNET_OPTION_PROXY, &proxy, sizeof proxy);
    char empty[] = "";
    InternetSetOptionA(connection, INTERNET_OPTION_PROXY_USERNAME, empty, 0);
    InternetSetOptionA(connection, INTERNET_OPTION_PROXY_PASSWORD, empty, 0);
}

// Content-Length + 1, or the default when the header is missing, unreadable or 0.
DWORD pieceSize(HINTERNET request) {
    char value[32] = {};
    DWORD length = sizeof value;
    if (!HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, value, &length, nullptr)) {
        return kDefaultPiece;
    }
    unsigned long long contentLength = 0;
    const auto [end, error] = std::from_chars(value, value + length, contentLength);
    if (error != std::errc() || end != value + length || contentLength == 0) {
        return kDefaultPiece;
    }
    return static_cast<DWORD>(std::min<unsigned long long>(contentLength + 1, kLargestPiece));
}

Bytes readBody(HINTERNET request, ULONGLONG started) {
    const DWORD piece = pieceSize(request);
    Bytes body;
    while (body.size() < kBodyLimit && GetTickCount64() - started < kLastPieceAfterMs) {
        // Only what has arrived: a read that waits to fill a whole piece could be kept
        // going by a host that sends a byte now and then, past every limit.
        DWORD arrived = 0;
        if (!InternetQueryDataAvailable(request, &arrived, 0, 0) || arrived == 0) {
            break;
        }
        const size_t had = body.size();
        const DWORD wanted =
            static_cast<DWORD>(std::min<size_t>({piece, arrived, kBodyLimit - had}));
        body.resize(had + wanted);
        DWORD got = 0;
        const bool ok = InternetReadFile(request, body.data() + had, wanted, &got);
        body.resize(had + (ok ? got : 0));
        if (!ok || got == 0) {
            break;
        }
    }
    return body;
}

}  // namespace

Bytes readAddressPage(const Text& pageAddress) {
    const ULONGLONG started = GetTickCount64();
    HINTERNET internet = openSession();
    PageLocation location;
    if (!internet || !locatePage(pageAddress, location)) {
        return {};
    }
    UniqueInternet connection(InternetConnectA(internet, location.host.data(), location.port, "",
                                               "", INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) {
        return {};
    }
    setTimeLimits(connection.get());
    useSystemProxy(internet, connection.get());

    const Text target = location.target();
    const char* acceptTypes[] = {"Accept: */* \r\n", nullptr};
    UniqueInternet request(
        HttpOpenRequestA(connection.get(), "GET", target.c_str(), "HTTP/1.0", nullptr, acceptTypes,
                         INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
    if (!request) {
        return {};
    }
    static constexpr char kHeaders[] = "Accept: */*\r\n\r\n";
    if (!HttpSendRequestA(request.get(), kHeaders, sizeof kHeaders - 1, nullptr, 0)) {
        return {};
    }
    return readBody(request.get(), started);
}

void closeInternetSession() {
    session().reset();
}

}  // namespace velloran
