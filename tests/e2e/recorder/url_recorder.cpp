// A stand-in web browser for the tests: registered as the handler of http addresses, it
// appends the address it was given to a log file. Usage: url_recorder LOG ADDRESS
#include <windows.h>

#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        return 2;
    }
    HANDLE log = CreateFileA(argv[1], FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) {
        return 1;
    }
    // One write per address, so that lines of quick successive runs do not interleave.
    const std::string line = std::string(argv[2]) + "\n";
    DWORD written = 0;
    const BOOL ok = WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(log);
    return ok && written == line.size() ? 0 : 1;
}
