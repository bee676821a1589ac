#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "../expected_server_files.h"
#include "disk_files.h"
#include "platform/windows_file_system.h"
#include "server/build_report.h"
#include "server/server_folder.h"

namespace velloran {
namespace {

const std::string folder = "D" + expected::serverFolder;
const std::string builtJar = folder + "\\" + expected::jarName;
const std::string userJar = "D:\\jars\\server.jar";
const std::string jarContent(300000, 'j');

// The real port, except that one call (counted from 0) fails without touching the disk.
class FailingOneCall : public FileSystemPort {
  public:
    explicit FailingOneCall(int failing) : failing_(failing) {}
    bool createDirectory(const Text& path) override {
        return next() && real_.createDirectory(path);
    }
    bool writeFile(const Text& path, const Bytes& bytes) override {
        return next() && real_.writeFile(path, bytes);
    }
    bool moveFile(const Text& source, const Text& destination) override {
        return next() && real_.moveFile(source, destination);
    }

  private:
    bool next() { return call_++ != failing_; }
    WindowsFileSystem real_;
    int failing_;
    int call_ = 0;
};

bool folderExists(const Text& drive, ServerItem item) {
    return disk::isDirectory(serverItemPath(drive, item));
}

class FaultInjection : public testing::Test {
  protected:
    void SetUp() override {
        if (std::getenv("VELLORAN_DRIVE_D") == nullptr) {
            GTEST_SKIP() << "needs the drives of scripts/with-wine.sh";
        }
        TearDown();
        ASSERT_TRUE(CreateDirectoryA("D:\\jars", nullptr));
    }
    void TearDown() override {
        disk::removeTree(folder);
        disk::removeTree("D:\\jars");
    }

    // Builds with call `failing` failing; returns the items the user would be told about.
    std::vector<ServerItem> buildFailingCall(int failing) {
        EXPECT_TRUE(disk::writeWholeFile(userJar, jarContent));
        FailingOneCall port(failing);
        const ServerFolderInputs inputs{"D", "1024", "Steve", userJar};
        const BuildResult result = BuildServerFolder(inputs, port);
        EXPECT_EQ(result.outcome, BuildOutcome::Built);
        return unmadeItems(result, [](ServerItem item) { return folderExists("D", item); });
    }

    // The user's jar is never lost: it is at its old place or in the server folder, whole.
    void expectJarKept(int failing) {
        const auto old = disk::readWholeFile(userJar);
        const auto moved = disk::readWholeFile(builtJar);
        EXPECT_TRUE(old == jarContent || moved == jarContent) << "failing call " << failing;
    }
};

TEST_F(FaultInjection, AnyFailedCallOnAFreshDriveIsReported) {
    for (int failing = 0; failing < ServerItemCount; ++failing) {
        const std::vector<ServerItem> unmade = buildFailingCall(failing);
        EXPECT_FALSE(unmade.empty()) << "failing call " << failing;
        expectJarKept(failing);
        TearDown();
        SetUp();
    }
}

TEST_F(FaultInjection, OnARebuildOnlyFoldersThatAreThereCountAsMade) {
    for (int failing = 0; failing < ServerItemCount; ++failing) {
        ASSERT_TRUE(buildFailingCall(-1).empty());
        const std::vector<ServerItem> unmade = buildFailingCall(failing);
        // Calls 0 and 5 create the two folders, which the first build left in place.
        const bool folderCall = failing == 0 || failing == ServerItemCount - 1;
        EXPECT_EQ(unmade.empty(), folderCall) << "failing call " << failing;
        expectJarKept(failing);
        TearDown();
        SetUp();
    }
}

}  // namespace
}  // namespace velloran
