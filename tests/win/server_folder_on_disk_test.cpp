#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "../expected_server_files.h"
#include "disk_files.h"
#include "platform/handles.h"
#include "platform/windows_file_system.h"
#include "server/server_folder.h"

namespace velloran {
namespace {

using expected::javaLine;
using expected::startScript;

const std::string folder = "D" + expected::serverFolder;
const std::string scriptPath = folder + "\\" + expected::startScriptName;
const std::string configurationPath = folder + "\\server.properties";
const std::string operatorsPath = folder + "\\ops.txt";
const std::string jarPath = folder + "\\" + expected::jarName;
const std::string pluginsPath = folder + "\\plugins";

std::string jarBytes(char seed, std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(seed + i * 7);
    }
    return bytes;
}

std::vector<bool> madeItems(const BuildResult& result) {
    std::vector<bool> made;
    for (const ItemResult& item : result.items) {
        made.push_back(item.made);
    }
    return made;
}

// Builds on the real drive D: of scripts/with-wine.sh; jars wait in D:\jars or E:\jars (E: lies
// on another file system).
class ServerFolderOnDisk : public testing::Test {
  protected:
    WindowsFileSystem fileSystem;

    void SetUp() override {
        if (std::getenv("VELLORAN_DRIVE_D") == nullptr) {
            GTEST_SKIP() << "needs the drives of scripts/with-wine.sh";
        }
        TearDown();
        ASSERT_TRUE(CreateDirectoryA("D:\\jars", nullptr));
        ASSERT_TRUE(CreateDirectoryA("E:\\jars", nullptr));
    }
    void TearDown() override {
        disk::removeTree(folder);
        disk::removeTree("D:\\jars");
        disk::removeTree("E:\\jars");
    }

    BuildResult build(const ServerFolderInputs& inputs) {
        return BuildServerFolder(inputs, fileSystem);
    }
};

TEST_F(ServerFolderOnDisk, FreshBuildLeavesExactNamesAndBytes) {
    const std::string jar = jarBytes('a', 100000);
    ASSERT_TRUE(disk::writeWholeFile("D:\\jars\\any name.zip", jar));
    const std::string chineseOperator = "\xB9\xDC\xC0\xED\xD4\xB1";

    const BuildResult result = build({"D", "1024", chineseOperator, "D:\\jars\\any name.zip"});

    EXPECT_EQ(result.outcome, BuildOutcome::Built);
    EXPECT_EQ(madeItems(result), std::vector<bool>(6, true));
    const std::vector<std::string> driveRoot = disk::folderEntries("D:");
    EXPECT_NE(std::find(driveRoot.begin(), driveRoot.end(), "1.6.2MCPC+\xB7\xFE\xCE\xF1\xC6\xF7"),
              driveRoot.end());
    EXPECT_EQ(disk::folderEntries(folder),
              (std::vector<std::string>{expected::jarName, "ops.txt", "plugins",
                                        "server.properties", expected::startScriptName}));
    const std::string script = startScript(javaLine("1024M", "1024M"));
    EXPECT_EQ(disk::readWholeFile(scriptPath), script);
    EXPECT_EQ(script.size(), 167u);
    EXPECT_EQ(disk::readWholeFile(configurationPath), expected::configuration);
    EXPECT_EQ(disk::readWholeFile(operatorsPath), chineseOperator);
    EXPECT_EQ(disk::readWholeFile(jarPath), jar);
    EXPECT_FALSE(disk::exists("D:\\jars\\any name.zip"));
    EXPECT_TRUE(disk::isDirectory(pluginsPath));
    EXPECT_TRUE(disk::folderEntries(pluginsPath).empty());
}

TEST_F(ServerFolderOnDisk, RebuildReplacesTheFilesAndJarAndKeepsEverythingElse) {
    ASSERT_TRUE(disk::writeWholeFile("D:\\jars\\first.jar", jarBytes('f', 50000)));
    build({"D", "4096", "a much longer operator name", "D:\\jars\\first.jar"});
    ASSERT_TRUE(CreateDirectoryA((folder + "\\world").c_str(), nullptr));
    ASSERT_TRUE(disk::writeWholeFile(folder + "\\world\\level.dat", "level"));
    ASSERT_TRUE(disk::writeWholeFile(pluginsPath + "\\plugin.jar", "plugin"));
    ASSERT_TRUE(disk::writeWholeFile(folder + "\\notes.txt", "notes"));
    const std::string secondJar = jarBytes('s', 10);
    ASSERT_TRUE(disk::writeWholeFile("D:\\jars\\second.jar", secondJar));

    const BuildResult result = build({"D", "1", "", "D:\\jars\\second.jar"});

    EXPECT_EQ(result.outcome, BuildOutcome::Built);
    // The two folders exist already; every file is replaced.
    EXPECT_EQ(madeItems(result), (std::vector<bool>{false, true, true, true, true, false}));
    EXPECT_EQ(disk::readWholeFile(scriptPath), startScript(javaLine("1M", "1M")));
    EXPECT_EQ(disk::readWholeFile(configurationPath), expected::configuration);
    EXPECT_EQ(disk::readWholeFile(operatorsPath), "");
    EXPECT_EQ(disk::readWholeFile(jarPath), secondJar);
    EXPECT_FALSE(disk::exists("D:\\jars\\second.jar"));
    EXPECT_EQ(disk::readWholeFile(folder + "\\world\\level.dat"), "level");
    EXPECT_EQ(disk::readWholeFile(pluginsPath + "\\plugin.jar"), "plugin");
    EXPECT_EQ(disk::readWholeFile(folder + "\\notes.txt"), "notes");
}

TEST_F(ServerFolderOnDisk, JarOnAnotherFileSystemEndsUpInTheFolderAndLeavesItsDrive) {
    // The second build finds the jar in place, so the rename fails and the copy crosses drives.
    for (const bool rebuild : {false, true}) {
        SCOPED_TRACE(rebuild ? "rebuild" : "fresh");
        const std::string jar = jarBytes(rebuild ? 'r' : 'e', 3000000);
        ASSERT_TRUE(disk::writeWholeFile("E:\\jars\\server.jar", jar));

        const BuildResult result = build({"D", "1024", "op", "E:\\jars\\server.jar"});

        EXPECT_EQ(result.items[static_cast<int>(ServerItem::Jar)].made, true);
        EXPECT_EQ(disk::readWholeFile(jarPath), jar);
        EXPECT_FALSE(disk::exists("E:\\jars\\server.jar"));
    }
}

TEST_F(ServerFolderOnDisk, JarPathNamingNoFileFailsOnlyTheJar) {
    for (const char* missing : {"D:\\jars\\missing.jar", ""}) {
        SCOPED_TRACE(missing);
        disk::removeTree(folder);
        const BuildResult result = build({"D", "1024", "op", missing});
        EXPECT_EQ(result.outcome, BuildOutcome::Built);
        EXPECT_EQ(madeItems(result), (std::vector<bool>{true, true, true, true, false, true}));
        EXPECT_EQ(disk::folderEntries(folder),
                  (std::vector<std::string>{"ops.txt", "plugins", "server.properties",
                                            expected::startScriptName}));
    }
}

TEST_F(ServerFolderOnDisk, DriveThatNamesNoDriveFailsEveryStep) {
    ASSERT_TRUE(disk::writeWholeFile("D:\\jars\\server.jar", "jar"));
    const std::vector<std::string> before = disk::folderEntries("D:");
    for (const char* drive : {"D:", "", "Q"}) {
        SCOPED_TRACE(drive);
        const BuildResult result = build({drive, "1024", "op", "D:\\jars\\server.jar"});
        EXPECT_EQ(result.outcome, BuildOutcome::Built);
        EXPECT_EQ(madeItems(result), std::vector<bool>(6, false));
        EXPECT_EQ(disk::folderEntries("D:"), before);
        EXPECT_EQ(disk::readWholeFile("D:\\jars\\server.jar"), "jar");
    }
}

TEST_F(ServerFolderOnDisk, FileHeldOpenWithoutSharingFailsOnlyItsStep) {
    struct Case {
        const std::string& path;
        ServerItem item;
    };
    const Case cases[] = {
        {scriptPath, ServerItem::StartScript},
        {configurationPath, ServerItem::Configuration},
        {operatorsPath, ServerItem::OperatorList},
        {jarPath, ServerItem::Jar},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        disk::removeTree(folder);
        ASSERT_TRUE(disk::writeWholeFile("D:\\jars\\first.jar", "first jar"));
        build({"D", "1024", "first", "D:\\jars\\first.jar"});
        const std::optional<std::string> before = disk::readWholeFile(c.path);
        ASSERT_TRUE(before);
        ASSERT_TRUE(disk::writeWholeFile("D:\\jars\\second.jar", "second jar"));

        UniqueFile holder(CreateFileA(c.path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(holder);
        const BuildResult result = build({"D", "2048", "second", "D:\\jars\\second.jar"});
        holder.reset();

        std::vector<bool> made{false, true, true, true, true, false};
        made[static_cast<int>(c.item)] = false;
        EXPECT_EQ(madeItems(result), made);
        EXPECT_EQ(disk::readWholeFile(c.path), before);
        const bool jarHeld = c.item == ServerItem::Jar;
        EXPECT_EQ(disk::readWholeFile(jarPath), jarHeld ? "first jar" : "second jar");
        EXPECT_EQ(disk::exists("D:\\jars\\second.jar"), jarHeld);
        EXPECT_EQ(disk::readWholeFile(operatorsPath),
                  c.item == ServerItem::OperatorList ? "first" : "second");
    }
}

}  // namespace
}  // namespace velloran
