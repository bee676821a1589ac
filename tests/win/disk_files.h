#pragma once

#include <optional>
#include <string>
#include <vector>

// Plain file helpers for tests that look at real drives, straight over the ANSI APIs so that they
// share nothing with the code under test.
namespace velloran::disk {

std::optional<std::string> readWholeFile(const std::string& path);
bool writeWholeFile(const std::string& path, const std::string& bytes);
bool exists(const std::string& path);
bool isDirectory(const std::string& path);
// The names in a folder, sorted, without "." and "..".
std::vector<std::string> folderEntries(const std::string& folder);
// Removes a file or a folder with all it holds; a missing path is fine.
void removeTree(const std::string& path);

}  // namespace velloran::disk
