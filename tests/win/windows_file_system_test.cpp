#include "platform/windows_file_system.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "disk_files.h"
#include "platform/handles.h"

namespace velloran {
namespace {

Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// Works in its own folders on D: and E:, which scripts/with-wine.sh maps to temp folders on two
// different file systems.
class WindowsFileSystemTest : public testing::Test {
  protected:
    const std::string work = "D:\\port-test";
    const std::string otherDrive = "E:\\port-test";
    WindowsFileSystem fileSystem;

    void SetUp() override {
        if (std::getenv("VELLORAN_DRIVE_D") == nullptr) {
            GTEST_SKIP() << "needs the drives of scripts/with-wine.sh";
        }
        TearDown();
        ASSERT_TRUE(CreateDirectoryA(work.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(otherDrive.c_str(), nullptr));
    }
    void TearDown() override {
        disk::removeTree(work);
        disk::removeTree(otherDrive);
    }
};

TEST_F(WindowsFileSystemTest, CreatesExactlyOneDirectory) {
    EXPECT_TRUE(fileSystem.createDirectory(work + "\\new"));
    EXPECT_TRUE(disk::isDirectory(work + "\\new"));
    EXPECT_FALSE(fileSystem.createDirectory(work + "\\new"));

    EXPECT_FALSE(fileSystem.createDirectory(work + "\\missing\\child"));
    EXPECT_FALSE(disk::exists(work + "\\missing"));

    for (const char* invalid : {"", "D::\\port-test\\x", ":\\port-test\\x"}) {
        EXPECT_FALSE(fileSystem.createDirectory(invalid)) << invalid;
    }
    EXPECT_EQ(disk::folderEntries(work), std::vector<std::string>{"new"});
}

TEST_F(WindowsFileSystemTest, WritesExactlyTheBytesGiven) {
    const std::string cases[] = {
        "",
        "no line end",
        std::string("LF\nCRLF\r\nNUL\0end", 16),
        "\xB7\xFE\xCE\xF1\xC6\xF7",
        std::string(200000, 'x'),
    };
    const std::string path = work + "\\file.txt";
    for (const std::string& bytes : cases) {
        EXPECT_TRUE(fileSystem.writeFile(path, bytesOf(bytes)));
        EXPECT_EQ(disk::readWholeFile(path), bytes);
    }
    // Shorter content after longer: the file is truncated, not overwritten in place.
    EXPECT_TRUE(fileSystem.writeFile(path, bytesOf("ab")));
    EXPECT_EQ(disk::readWholeFile(path), "ab");
}

TEST_F(WindowsFileSystemTest, WriteFailsWithoutTouchingAnything) {
    EXPECT_FALSE(fileSystem.writeFile("", bytesOf("x")));
    EXPECT_FALSE(fileSystem.writeFile(work + "\\missing\\file.txt", bytesOf("x")));
    EXPECT_FALSE(disk::exists(work + "\\missing"));
    EXPECT_TRUE(disk::folderEntries(work).empty());

    const std::string held = work + "\\held.txt";
    ASSERT_TRUE(disk::writeWholeFile(held, "before"));
    UniqueFile holder(CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    EXPECT_FALSE(fileSystem.writeFile(held, bytesOf("after")));
    holder.reset();
    EXPECT_EQ(disk::readWholeFile(held), "before");
}

TEST_F(WindowsFileSystemTest, MovesByRenameOrByCopyAndDelete) {
    struct Case {
        const char* what;
        std::string source;
        std::string existingDestination;  // empty: none
    };
    const Case cases[] = {
        {"rename on one drive", work + "\\a.jar", ""},
        {"onto an existing file", work + "\\a.jar", "old bytes, longer than the new ones"},
        // MoveFileA itself copies a file across volumes; onto an existing file the rename fails
        // and CopyFileA crosses the file systems.
        {"across file systems", otherDrive + "\\a.jar", ""},
        {"across file systems onto an existing file", otherDrive + "\\a.jar", "old"},
    };
    const std::string destination = work + "\\moved.jar";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string bytes = std::string("jar\0bytes", 9) + c.what;
        ASSERT_TRUE(disk::writeWholeFile(c.source, bytes));
        DeleteFileA(destination.c_str());
        if (!c.existingDestination.empty()) {
            ASSERT_TRUE(disk::writeWholeFile(destination, c.existingDestination));
        }
        EXPECT_TRUE(fileSystem.moveFile(c.source, destination));
        EXPECT_EQ(disk::readWholeFile(destination), bytes);
        EXPECT_FALSE(disk::exists(c.source));
    }
}

TEST_F(WindowsFileSystemTest, MoveThatCannotCopyChangesNothing) {
    const std::string destination = work + "\\moved.jar";
    ASSERT_TRUE(disk::writeWholeFile(destination, "kept"));
    for (const std::string& source : {work + "\\missing.jar", std::string()}) {
        EXPECT_FALSE(fileSystem.moveFile(source, destination)) << source;
        EXPECT_EQ(disk::readWholeFile(destination), "kept");
    }

    // A destination held open without sharing can be neither replaced nor written.
    const std::string source = work + "\\a.jar";
    ASSERT_TRUE(disk::writeWholeFile(source, "new"));
    UniqueFile holder(CreateFileA(destination.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    EXPECT_FALSE(fileSystem.moveFile(source, destination));
    holder.reset();
    EXPECT_EQ(disk::readWholeFile(destination), "kept");
    EXPECT_EQ(disk::readWholeFile(source), "new");
}

TEST_F(WindowsFileSystemTest, CopyCountsEvenWhenTheSourceCannotBeDeleted) {
    // Held for reading with read sharing only: it can be copied but neither renamed nor deleted.
    const std::string source = work + "\\a.jar";
    const std::string destination = work + "\\moved.jar";
    ASSERT_TRUE(disk::writeWholeFile(source, "jar"));
    UniqueFile holder(CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    EXPECT_TRUE(fileSystem.moveFile(source, destination));
    holder.reset();
    EXPECT_EQ(disk::readWholeFile(destination), "jar");
    EXPECT_EQ(disk::readWholeFile(source), "jar");
}

}  // namespace
}  // namespace velloran
