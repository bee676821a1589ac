// Times BuildServerFolder on the drives of scripts/with-wine.sh: D: (disk) and E: (/dev/shm,
// another file system). Run it with scripts/bench.sh; it prints milliseconds and ratios.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "../win/disk_files.h"
#include "platform/handles.h"
#include "platform/windows_file_system.h"
#include "server/server_folder.h"

namespace velloran {
namespace {

constexpr int runs = 7;
constexpr std::size_t megabyte = 1 << 20;

const Text serverFolder = serverItemPath("D", ServerItem::ServerFolder);
const Text folderJar = serverItemPath("D", ServerItem::Jar);

bool makeJar(const std::string& path, std::size_t megabytes) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string chunk(megabyte, '\0');
    for (std::size_t i = 0; i < chunk.size(); ++i) {
        chunk[i] = static_cast<char>(i * 31 + 7);
    }
    for (std::size_t i = 0; file && i < megabytes; ++i) {
        DWORD written = 0;
        if (!WriteFile(file.get(), chunk.data(), megabyte, &written, nullptr) ||
            written != megabyte) {
            return false;
        }
    }
    return static_cast<bool>(file);
}

double milliseconds(const std::function<void()>& work) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

struct Timing {
    double median;
    double best;
};

// Runs prepare (untimed) and then work (timed) several times.
Timing measure(const std::function<bool()>& prepare, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (!prepare()) {
            std::fprintf(stderr, "bench: could not prepare the files\n");
            std::exit(1);
        }
        times.push_back(milliseconds(work));
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.front()};
}

Timing timeBuild(const std::string& jar, std::size_t megabytes, bool jarAlreadyInFolder) {
    WindowsFileSystem fileSystem;
    const auto prepare = [&] {
        disk::removeTree(serverFolder);
        if (jarAlreadyInFolder) {
            if (!CreateDirectoryA(serverFolder.c_str(), nullptr) || !makeJar(folderJar, 1)) {
                return false;
            }
        }
        return makeJar(jar, megabytes);
    };
    const Timing timing = measure(prepare, [&] {
        const BuildResult result = BuildServerFolder({"D", "1024", "op", jar}, fileSystem);
        if (!result.items[static_cast<int>(ServerItem::Jar)].made) {
            std::fprintf(stderr, "bench: the jar was not moved\n");
            std::exit(1);
        }
    });
    disk::removeTree(serverFolder);
    return timing;
}

Timing timePlainCopy(const std::string& source, std::size_t megabytes) {
    const std::string destination = "D:\\bench\\copy.jar";
    const Timing timing = measure(
        [&] {
            DeleteFileA(destination.c_str());
            return makeJar(source, megabytes);
        },
        [&] { CopyFileA(source.c_str(), destination.c_str(), FALSE); });
    DeleteFileA(destination.c_str());
    DeleteFileA(source.c_str());
    return timing;
}

void print(const char* what, Timing timing) {
    std::printf("  %-58s %9.2f ms (best %8.2f)\n", what, timing.median, timing.best);
}

int run() {
    if (std::getenv("VELLORAN_DRIVE_D") == nullptr) {
        std::fprintf(stderr, "bench: run me through scripts/bench.sh (needs drives D: and E:)\n");
        return 2;
    }
    disk::removeTree("D:\\bench");
    disk::removeTree("E:\\bench");
    CreateDirectoryA("D:\\bench", nullptr);
    CreateDirectoryA("E:\\bench", nullptr);

    std::printf("BuildServerFolder, median of %d runs (D: on disk, E: on /dev/shm)\n", runs);
    const Timing same5 = timeBuild("D:\\bench\\server.jar", 5, false);
    print("same drive, 5 MB jar (rename)", same5);
    const Timing same50 = timeBuild("D:\\bench\\server.jar", 50, false);
    print("same drive, 50 MB jar (rename)", same50);
    const Timing across5 = timeBuild("E:\\bench\\server.jar", 5, false);
    print("E: to D:, 5 MB jar (MoveFileA copies across volumes)", across5);
    const Timing across50 = timeBuild("E:\\bench\\server.jar", 50, false);
    print("E: to D:, 50 MB jar (MoveFileA copies across volumes)", across50);
    const Timing replace50 = timeBuild("E:\\bench\\server.jar", 50, true);
    print("E: to D:, 50 MB jar onto an old one (CopyFileA+DeleteFileA)", replace50);
    const Timing copy50 = timePlainCopy("E:\\bench\\server.jar", 50);
    print("plain CopyFileA E: to D:, 50 MB", copy50);

    std::printf("Ratios\n");
    std::printf("  same drive 50 MB / 5 MB:                    %6.2f (a rename: about 1)\n",
                same50.median / same5.median);
    std::printf("  E: to D: 50 MB / same drive 50 MB:          %6.2f\n",
                across50.median / same50.median);
    std::printf("  E: to D: 50 MB / plain CopyFileA:           %6.2f\n",
                across50.median / copy50.median);
    std::printf("  E: to D: onto old jar 50 MB / CopyFileA:    %6.2f\n",
                replace50.median / copy50.median);

    disk::removeTree("D:\\bench");
    disk::removeTree("E:\\bench");
    return 0;
}

}  // namespace
}  // namespace velloran

int main() {
    return velloran::run();
}
