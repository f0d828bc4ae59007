#include <gtest/gtest.h>

#include "app/window_options.h"

namespace corvane::app::options {
namespace {

TEST(RunCommand, TheShellCanStartWhatIsStored) {
    const struct {
        const char* full;
        const char* shortPath;
        const char* stored;
    } cases[] = {
        {"C:\\Program Files\\Corvane\\Corvane.exe", "C:\\PROGRA~1\\Corvane\\Corvane.exe",
         "C:\\PROGRA~1\\Corvane\\Corvane.exe"},
        // 8.3 names switched off: the "short" path is the long one, spaces and all.
        {"C:\\Program Files\\Corvane\\Corvane.exe", "C:\\Program Files\\Corvane\\Corvane.exe",
         "\"C:\\Program Files\\Corvane\\Corvane.exe\""},
        // No short path to be had: the full one, quoted whether it needs it or not.
        {"C:\\Program Files\\Corvane\\Corvane.exe", "", "\"C:\\Program Files\\Corvane\\Corvane.exe\""},
        {"C:\\Corvane.exe", "", "\"C:\\Corvane.exe\""},
        {"C:\\Corvane.exe", "C:\\Corvane.exe", "C:\\Corvane.exe"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RunCommand(c.full, c.shortPath), c.stored) << c.shortPath;
    }
}

TEST(WindowOptions, ColoursKeysAndTheCriticalWarning) {
    EXPECT_EQ(LookOfColour(0), 1);
    EXPECT_EQ(LookOfColour(1), 4);
    EXPECT_EQ(LookOfColour(2), 6);
    EXPECT_EQ(LookOfColour(3), 7);
    EXPECT_EQ(LookOfColour(4), 3);
    EXPECT_EQ(LookOfColour(5), std::nullopt);
    EXPECT_EQ(LookOfColour(-1), std::nullopt);

    for (unsigned c = 0; c < 256; ++c) {
        EXPECT_EQ(ChargeKeyPasses(c), (c >= '0' && c <= '9') || c == 8) << c;
    }
    EXPECT_EQ(DigitsOf(" 1a2-3\r\n"), "123");

    EXPECT_TRUE(CriticalAboveCharge("90", 57));
    EXPECT_FALSE(CriticalAboveCharge("10", 57));
    EXPECT_FALSE(CriticalAboveCharge("57", 57));
    EXPECT_FALSE(CriticalAboveCharge("", 0));
    EXPECT_TRUE(CriticalAboveCharge("0", -1));
}

} // namespace
} // namespace corvane::app::options
