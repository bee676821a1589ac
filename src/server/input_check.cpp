#include "server/input_check.h"

#include <algorithm>

namespace velloran {
namespace {

bool isAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// Seven digits reach 9999999 MB, more than any machine has; the start script gets digits only.
constexpr std::size_t kMaxMemoryDigits = 7;

bool isDriveLetter(const Text& drive) {
    return drive.size() == 1 && isAsciiLetter(drive[0]);
}

bool isMemorySize(const Text& memory) {
    return !memory.empty() && memory.size() <= kMaxMemoryDigits &&
           std::all_of(memory.begin(), memory.end(), isAsciiDigit) &&
           std::any_of(memory.begin(), memory.end(), [](char c) { return c != '0'; });
}

}  // namespace

std::optional<InputProblem> checkInputs(const Text& drive, const Text& memory, bool jarFileExists) {
    if (!isDriveLetter(drive)) {
        return InputProblem{"盘符错误：请输入一个盘符字母，例如 D", "盘符错误"};
    }
    if (!isMemorySize(memory)) {
        return InputProblem{
            "内存错误：请输入以MB为单位的内存大小，1到7位数字且大于0，不带单位，例如 1024",
            "内存错误"};
    }
    if (!jarFileExists) {
        return InputProblem{
            "jar路径错误：所选的jar文件不存在，请点击“搜索”重新选择mcpc+_151-R02_331.jar文件",
            "jar路径错误"};
    }
    return std::nullopt;
}

}  // namespace velloran
