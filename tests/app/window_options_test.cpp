#include <gtest/gtest.h>

#include <memory>

#include "app/window_options.h"

namespace corvane::app::options {
namespace {

TEST(RunCommand, TheShellCanStartWhatIsStored) {
    const struct {
        const char* full;
        const char* shortPath;
        const char* stored;
    } cases[] = {
        {"C:\\Program Files\\Cv.exe", "C:\\PROGRA~1\\Cv.exe", "C:\\PROGRA~1\\Cv.exe"},
        // 8.3 names switched off: the "short" path is the long one, spaces and all.
        {"C:\\Program Files\\Cv.exe", "C:\\Program Files\\Cv.exe", "\"C:\\Program Files\\Cv.exe\""},
        // No short path to be had: the full one, quoted whether it needs it or not.
        {"C:\\Program Files\\Cv.exe", "", "\"C:\\Program Files\\Cv.exe\""},
        {"C:\\Cv.exe", "", "\"C:\\Cv.exe\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RunCommand(c.full, c.shortPath), c.stored) << c.shortPath;
    }
}

TEST(WindowOptions, KeysColoursAndTheCriticalWarning) {
    EXPECT_EQ(LookOfColour(5), std::nullopt);
    EXPECT_EQ(LookOfColour(-1), std::nullopt);
    EXPECT_TRUE(ChargeKeyPasses('0') && ChargeKeyPasses('9') && ChargeKeyPasses(8));
    EXPECT_FALSE(ChargeKeyPasses('a') || ChargeKeyPasses('-') || ChargeKeyPasses(22 /* Ctrl+V */));
    EXPECT_EQ(DigitsOf(" 1a2-3\r\n"), "123");
    // A block put on the clipboard without its closing zero ends where the block ends.
    const std::unique_ptr<char[]> block(new char[4]{'1', '2', 'x', '4'});
    EXPECT_EQ(DigitsOf(TextInBlock(block.get(), 4)), "124");
    EXPECT_EQ(TextInBlock("12\0" "34", 5), "12");
    EXPECT_TRUE(CriticalAboveCharge("90", 57));
    EXPECT_FALSE(CriticalAboveCharge("57", 57));
    EXPECT_FALSE(CriticalAboveCharge("", 0));
    EXPECT_FALSE(CriticalAboveCharge("10", -1)) << "no battery level known";
}

} // namespace
} // namespace corvane::app::options
