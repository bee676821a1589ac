#include "stub_control.h"

#include <winsock2.h>
// Needs the declarations of winsock2.h first.
#include <ws2tcpip.h>

namespace velloran::test {
namespace {

constexpr unsigned short kControlPort = 8080;

struct Winsock {
    Winsock() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~Winsock() { WSACleanup(); }
};

// The whole answer of the control port, status line included; empty when unreachable.
std::string controlRequest(const std::string& target) {
    static Winsock winsock;
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) {
        return {};
    }
    DWORD limitMs = 5000;
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&limitMs), sizeof limitMs);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(kControlPort);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string answer;
    if (connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        const std::string request = "GET " + target + " HTTP/1.0\r\n\r\n";
        send(s, request.data(), static_cast<int>(request.size()), 0);
        char buffer[4096];
        for (int got; (got = recv(s, buffer, sizeof buffer, 0)) > 0;) {
            answer.append(buffer, got);
        }
    }
    closesocket(s);
    return answer;
}

}  // namespace

std::string lastRequestTo(const std::string& host) {
    const std::string answer = controlRequest("/last?host=" + host);
    if (answer.rfind("HTTP/1.0 200", 0) != 0) {
        return {};
    }
    const size_t body = answer.find("\r\n\r\n");
    return body == std::string::npos ? std::string() : answer.substr(body + 4);
}

bool setEchoScenario(const std::string& scenario) {
    return controlRequest("/scenario?name=" + scenario).rfind("HTTP/1.0 200", 0) == 0;
}

}  // namespace velloran::test
