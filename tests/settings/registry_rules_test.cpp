#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "settings/registry_rules.h"

namespace corvane::registry {
namespace {

TEST(RegistryErrors, NumbersSourceAndDescriptions) {
    EXPECT_EQ(static_cast<std::uint32_t>(kErrorStoreFailed), 0x800469A9u);
    EXPECT_EQ(static_cast<std::uint32_t>(kErrorEnumerationFailed), 0x800469AAu);
    EXPECT_EQ(static_cast<std::uint32_t>(kErrorItemCount), 0x800469ACu);
    EXPECT_EQ(static_cast<std::uint32_t>(kErrorClassMissing), 0x800469ADu);

    EXPECT_EQ(ErrorSource("C:\\Program Files\\Corvane\\Corvane.exe"), "Corvane.cRegistry");
    EXPECT_EQ(ErrorSource("Corvane.exe"), "Corvane.cRegistry");
    EXPECT_EQ(ErrorSource("/opt/x.y/my.tool.EXE"), "my.tool.cRegistry");
    EXPECT_EQ(ErrorSource("C:\\bin\\noext"), "noext.cRegistry");

    // The root key reads as signed decimal, and the unfinished quotes are part of the texts.
    EXPECT_EQ(CreateKeyFailure("Software\\A"), "Failed to create registry Key: 'Software\\A");
    EXPECT_EQ(DeleteKeyFailure(kCurrentUser, "Software\\A"),
              "Failed to delete registry Key: '-2147483647',Section: 'Software\\A");
    EXPECT_EQ(OpenForDeleteFailure(kLocalMachine, "S"), "Failed to open key '-2147483646',Section: 'S' for delete access");
    EXPECT_EQ(DeleteValueFailure(kClassesRoot, "S", "v"),
              "Failed to delete registry Key: '-2147483648',Section: 'S',Key: 'v");
    EXPECT_EQ(SetValueFailure(0, "S", "", "12"), "Failed to set registry value Key: '0',Section: 'S',Key: '' to value: '12'");
}

TEST(RegistryStore, TextTypeFollowsThePercentRule) {
    EXPECT_EQ(TextStorageType("plain"), kTypeSz);
    EXPECT_EQ(TextStorageType("%"), kTypeSz);
    EXPECT_EQ(TextStorageType("100%"), kTypeSz);
    EXPECT_EQ(TextStorageType("%%"), kTypeSz);
    EXPECT_EQ(TextStorageType("a%%b"), kTypeSz);
    EXPECT_EQ(TextStorageType("%x%"), kTypeExpandSz);
    EXPECT_EQ(TextStorageType("%%x"), kTypeSz);
    // Adjacent pair first, a later one still counts from the first "%".
    EXPECT_EQ(TextStorageType("%%%"), kTypeExpandSz);
    EXPECT_EQ(TextStorageType("C:\\%WINDIR%\\x"), kTypeExpandSz);
}

TEST(RegistryStore, PlanForEveryValueType) {
    auto plan = PlanStore(kTypeSz, GeneralValue("ab"));
    EXPECT_EQ(plan.outcome, StorePlan::Outcome::Store);
    EXPECT_EQ(plan.type, kTypeSz);
    EXPECT_EQ(plan.bytes, (std::vector<std::uint8_t>{'a', 'b', 0}));

    plan = PlanStore(kTypeExpandSz, GeneralValue(""));
    EXPECT_EQ(plan.type, kTypeSz);
    EXPECT_EQ(plan.bytes, (std::vector<std::uint8_t>{0}));

    plan = PlanStore(kTypeSz, GeneralValue(std::int32_t{-5}));
    EXPECT_EQ(plan.bytes, (std::vector<std::uint8_t>{'-', '5', 0}));
    plan = PlanStore(kTypeSz, GeneralValue("%a%"));
    EXPECT_EQ(plan.type, kTypeExpandSz);

    plan = PlanStore(kTypeBinary, GeneralValue(ByteArray{5, {1, 2, 3}}));
    EXPECT_EQ(plan.outcome, StorePlan::Outcome::Store);
    EXPECT_EQ(plan.type, kTypeBinary);
    EXPECT_EQ(plan.bytes, (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(PlanStore(kTypeBinary, GeneralValue("123")).outcome, StorePlan::Outcome::NotByteArray);
    EXPECT_EQ(PlanStore(kTypeBinary, GeneralValue()).outcome, StorePlan::Outcome::NotByteArray);

    for (std::int32_t type : {kTypeDword, kTypeDwordBigEndian}) {
        plan = PlanStore(type, GeneralValue(std::int32_t{0x11223344}));
        EXPECT_EQ(plan.outcome, StorePlan::Outcome::Store);
        EXPECT_EQ(plan.type, kTypeDword) << "big-endian is stored as an ordinary DWORD";
        EXPECT_EQ(plan.bytes, (std::vector<std::uint8_t>{0x44, 0x33, 0x22, 0x11}));
        plan = PlanStore(type, GeneralValue(std::int16_t{-1}));
        EXPECT_EQ(plan.bytes, (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
        EXPECT_EQ(PlanStore(type, GeneralValue("7")).outcome, StorePlan::Outcome::Nothing);
        EXPECT_EQ(PlanStore(type, GeneralValue()).outcome, StorePlan::Outcome::Nothing);
    }

    for (std::int32_t type : {0, 6, 7, 8, -1}) {
        EXPECT_EQ(PlanStore(type, GeneralValue("x")).outcome, StorePlan::Outcome::InvalidType) << type;
    }
}

TEST(RegistryRead, OnlyATerminatingNulIsDropped) {
    using Bytes = std::vector<std::uint8_t>;
    EXPECT_EQ(TextFromStoredBytes(Bytes{'a', 'b', 'c', 0}), "abc");
    EXPECT_EQ(TextFromStoredBytes(Bytes{'a', 'b', 'c'}), "abc");
    EXPECT_EQ(TextFromStoredBytes(Bytes{0}), "");
    EXPECT_EQ(TextFromStoredBytes(Bytes{}), "");
    // A multi-string keeps a NUL after each of its strings.
    EXPECT_EQ(TextFromStoredBytes(Bytes{'a', 0, 'b', 0, 0}), std::string("a\0b\0", 4));
}

// A stored value that a fake registry hands out the way the platform does, and that can
// change between two queries.
struct FakeValue {
    std::uint32_t type = kTypeSz;
    std::vector<std::uint8_t> bytes;
    std::vector<std::vector<std::uint8_t>> laterContents; // taken one per query
    int queries = 0;

    std::int32_t operator()(std::uint32_t& t, std::uint8_t* data, std::uint32_t& size) {
        if (queries++ > 0 && !laterContents.empty()) {
            bytes = laterContents.front();
            laterContents.erase(laterContents.begin());
        }
        t = type;
        const auto needed = static_cast<std::uint32_t>(bytes.size());
        if (data == nullptr) {
            size = needed;
            return 0;
        }
        if (size < needed) {
            size = needed;
            return kErrorMoreData;
        }
        std::copy(bytes.begin(), bytes.end(), data);
        size = needed;
        return 0;
    }
};

std::vector<std::uint8_t> Text(const std::string& s, bool nul = true) {
    std::vector<std::uint8_t> b(s.begin(), s.end());
    if (nul) {
        b.push_back(0);
    }
    return b;
}

TEST(RegistryRead, AValueThatGrowsBeforeTheReadIsReadWhole) {
    FakeValue fake;
    fake.bytes = Text("ab");
    fake.laterContents = {Text(std::string(3000, 'x')), Text(std::string(5000, 'y'))};
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(ReadStoredValue(std::ref(fake), type, bytes), 0);
    EXPECT_EQ(TextFromStoredBytes(bytes), std::string(5000, 'y'));
    EXPECT_EQ(type, static_cast<std::uint32_t>(kTypeSz));
}

TEST(RegistryRead, AValueThatShrinksBeforeTheReadKeepsOnlyWhatWasReturned) {
    FakeValue fake;
    fake.bytes = Text("a longer text");
    fake.laterContents = {Text("short")};
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(ReadStoredValue(std::ref(fake), type, bytes), 0);
    EXPECT_EQ(TextFromStoredBytes(bytes), "short");
}

TEST(RegistryRead, MissingOrVanishingValueGivesTheFailure) {
    std::uint32_t type = 99;
    std::vector<std::uint8_t> bytes;
    const auto missing = [](std::uint32_t&, std::uint8_t*, std::uint32_t&) -> std::int32_t { return 2; };
    EXPECT_EQ(ReadStoredValue(missing, type, bytes), 2);

    int calls = 0;
    const auto vanishing = [&calls](std::uint32_t& t, std::uint8_t*, std::uint32_t& size) -> std::int32_t {
        t = kTypeSz;
        size = 4;
        return ++calls == 1 ? 0 : 2;
    };
    EXPECT_EQ(ReadStoredValue(vanishing, type, bytes), 2);
    EXPECT_TRUE(bytes.empty());

    // A value that never holds still is given up rather than chased for ever.
    std::uint32_t grow = 1;
    const auto restless = [&grow](std::uint32_t& t, std::uint8_t* data, std::uint32_t& size) -> std::int32_t {
        t = kTypeBinary;
        const bool fits = data != nullptr && size >= grow;
        size = grow *= 2;
        return fits ? 0 : (data == nullptr ? 0 : kErrorMoreData);
    };
    EXPECT_EQ(ReadStoredValue(restless, type, bytes), kErrorMoreData);
}

TEST(RegistryRead, DecodeByType) {
    using Bytes = std::vector<std::uint8_t>;
    EXPECT_EQ(DecodeStored(kTypeSz, Bytes{'h', 'i', 0}), GeneralValue("hi"));
    EXPECT_EQ(DecodeStored(kTypeExpandSz, Bytes{'%', 'A', '%', 0}), GeneralValue("%A%"));
    EXPECT_EQ(DecodeStored(kTypeMultiSz, Bytes{'a', 0, 0}), GeneralValue(std::string("a\0", 2)));
    EXPECT_EQ(DecodeStored(kTypeDword, Bytes{0x44, 0x33, 0x22, 0x11}), GeneralValue(std::int32_t{0x11223344}));
    EXPECT_EQ(DecodeStored(kTypeDword, Bytes{0xFF, 0xFF, 0xFF, 0xFF}), GeneralValue(std::int32_t{-1}));
    // Short and long DWORD data neither reads past the bytes nor loses the first four.
    EXPECT_EQ(DecodeStored(kTypeDword, Bytes{0x01, 0x02}), GeneralValue(std::int32_t{0x0201}));
    EXPECT_EQ(DecodeStored(kTypeDword, Bytes{}), GeneralValue(std::int32_t{0}));
    EXPECT_EQ(DecodeStored(kTypeDword, Bytes{1, 0, 0, 0, 9, 9, 9, 9}), GeneralValue(std::int32_t{1}));
    EXPECT_EQ(DecodeStored(kTypeBinary, Bytes{7, 8}), GeneralValue(ByteArray{0, {7, 8}}));
    EXPECT_EQ(DecodeStored(kTypeNone, Bytes{}), GeneralValue(ByteArray{0, {}}));
    EXPECT_EQ(DecodeStored(6, Bytes{'x'}), GeneralValue(ByteArray{0, {'x'}}));
    EXPECT_EQ(DecodeStored(11, Bytes{1, 2, 3, 4, 5, 6, 7, 8}), GeneralValue(ByteArray{0, {1, 2, 3, 4, 5, 6, 7, 8}}));
}

TEST(RegistryRead, SwapEndianReversesTheBytes) {
    EXPECT_EQ(SwapEndian(0x11223344), 0x44332211);
    EXPECT_EQ(static_cast<std::uint32_t>(SwapEndian(0x000000FF)), 0xFF000000u);
    EXPECT_EQ(SwapEndian(static_cast<std::int32_t>(0x80000000u)), 0x00000080);
    EXPECT_EQ(SwapEndian(-1), -1);
    EXPECT_EQ(SwapEndian(SwapEndian(123456789)), 123456789);
}

TEST(RegistryAssociation, ExePathIsTrimmedAndQuotedOnce) {
    EXPECT_EQ(QuoteExePath("C:\\a b\\x.exe"), "\"C:\\a b\\x.exe\"");
    EXPECT_EQ(QuoteExePath("  C:\\x.exe  "), "\"C:\\x.exe\"");
    EXPECT_EQ(QuoteExePath("\"C:\\x.exe\""), "\"C:\\x.exe\"");
    EXPECT_EQ(QuoteExePath(" \"C:\\x.exe\" "), "\"C:\\x.exe\"");
    EXPECT_EQ(QuoteExePath("\"C:\\x.exe"), "\"C:\\x.exe\"");
    EXPECT_EQ(QuoteExePath("C:\\x.exe\""), "\"C:\\x.exe\"");
    EXPECT_EQ(QuoteExePath(""), "\"\"");
    EXPECT_EQ(QuoteExePath("\""), "\"\"");
}

TEST(RegistryAssociation, EntriesInOrderWithDefaults) {
    AssociationRequest r;
    r.exePath = "C:\\Tools\\cv.exe";
    r.className = "Cv.Doc";
    r.classDescription = "Cv document";
    r.association = "cvd";
    r.supportPrint = r.supportNew = r.supportInstall = true;
    r.defaultIconIndex = 0;
    const std::string p = "\"C:\\Tools\\cv.exe\"";
    const std::vector<AssociationEntry> all = {
        {".cvd", "Cv.Doc"},
        {"Cv.Doc", "Cv document"},
        {"Cv.Doc\\shell\\open", "&Open"},
        {"Cv.Doc\\shell\\open\\command", p + " \"%1\""},
        {"Cv.Doc\\shell\\print", "&Print"},
        {"Cv.Doc\\shell\\print\\command", p + " /p \"%1\""},
        {"Cv.Doc\\shell\\add", "&Install cvd"},
        {"Cv.Doc\\shell\\add\\command", p + " /a \"%1\""},
        {"Cv.Doc\\shell\\new", "&New"},
        {"Cv.Doc\\shell\\new\\command", p + " /n \"%1\""},
        {"Cv.Doc\\DefaultIcon", p + ",0"},
    };
    EXPECT_EQ(AssociationEntries(r), all);

    r.openMenuText = "Look";
    r.printMenuText = "Paper";
    r.installMenuText = "Put in";
    r.newMenuText = "Make";
    r.supportNew = false;
    r.defaultIconIndex = -1;
    const std::vector<AssociationEntry> some = {
        {".cvd", "Cv.Doc"},
        {"Cv.Doc", "Cv document"},
        {"Cv.Doc\\shell\\open", "Look"},
        {"Cv.Doc\\shell\\open\\command", p + " \"%1\""},
        {"Cv.Doc\\shell\\print", "Paper"},
        {"Cv.Doc\\shell\\print\\command", p + " /p \"%1\""},
        {"Cv.Doc\\shell\\add", "Put in"},
        {"Cv.Doc\\shell\\add\\command", p + " /a \"%1\""},
    };
    EXPECT_EQ(AssociationEntries(r), some);

    r.defaultIconIndex = 12;
    EXPECT_EQ(AssociationEntries(r).back(), (AssociationEntry{"Cv.Doc\\DefaultIcon", p + ",12"}));
    r.defaultIconIndex = -2;
    EXPECT_EQ(AssociationEntries(r).back().section, "Cv.Doc\\shell\\add\\command");
}

} // namespace
} // namespace corvane::registry
