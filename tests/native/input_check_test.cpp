#include "server/input_check.h"

#include <gtest/gtest.h>

namespace velloran {
namespace {

struct InputCase {
    const char* drive;
    const char* memory;
    bool jarFileExists;
    const char* problemTitle;  // nullptr: accepted
};

TEST(InputCheck, AcceptsOnlyADriveLetterAWholeMegabyteCountAndAnExistingJar) {
    const InputCase cases[] = {
        {"D", "1024", true, nullptr},
        {"z", "1024", true, nullptr},  // lower case is a letter too
        {"A", "1", true, nullptr},
        {"D", "9999999", true, nullptr},
        {"D", "0001024", true, nullptr},

        {"", "1024", true, "盘符错误"},
        {"D:", "1024", true, "盘符错误"},
        {"D:\\", "1024", true, "盘符错误"},
        {"DE", "1024", true, "盘符错误"},
        {" D", "1024", true, "盘符错误"},
        {"D ", "1024", true, "盘符错误"},
        {"1", "1024", true, "盘符错误"},
        {"@", "1024", true, "盘符错误"},     // just below 'A'
        {"[", "1024", true, "盘符错误"},     // just above 'Z'
        {"`", "1024", true, "盘符错误"},     // just below 'a'
        {"{", "1024", true, "盘符错误"},     // just above 'z'
        {"盘", "1024", true, "盘符错误"},    // a double-byte character
        {"\xC4", "1024", true, "盘符错误"},  // a lone lead byte

        {"D", "", true, "内存错误"},
        {"D", "0", true, "内存错误"},
        {"D", "0000000", true, "内存错误"},
        {"D", "10000000", true, "内存错误"},  // eight digits
        {"D", "1024M", true, "内存错误"},
        {"D", "1G", true, "内存错误"},
        {"D", "-1", true, "内存错误"},
        {"D", "+1024", true, "内存错误"},
        {"D", " 1024", true, "内存错误"},
        {"D", "1024 ", true, "内存错误"},
        {"D", "1.5", true, "内存错误"},
        {"D", "10 24", true, "内存错误"},
        {"D", "1024\r\nDEL *", true, "内存错误"},
        {"D", "１０２４", true, "内存错误"},  // full-width digits

        {"D", "1024", false, "jar路径错误"},
        // Checked in this order: the drive first, then the memory, then the jar.
        {"", "", false, "盘符错误"},
        {"D", "", false, "内存错误"},
    };
    for (const InputCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "drive '" << c.drive << "' memory '" << c.memory
                                        << "' jar " << c.jarFileExists);
        const std::optional<InputProblem> problem = checkInputs(c.drive, c.memory, c.jarFileExists);
        if (c.problemTitle == nullptr) {
            EXPECT_FALSE(problem.has_value());
        } else {
            ASSERT_TRUE(problem.has_value());
            EXPECT_EQ(problem->title, c.problemTitle);
            // Every message opens with its title, then says what to type.
            EXPECT_EQ(problem->message.rfind(problem->title + "：", 0), 0u);
        }
    }
}

}  // namespace
}  // namespace velloran
