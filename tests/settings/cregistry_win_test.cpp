#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <iostream>
#include <optional>
#include <thread>

#include "base/component_error.h"
#include "base/handles_win.h"
#include "settings/cregistry_win.h"

namespace corvane {
namespace {

using namespace registry;

// Every test works in a key of its own below this one, and removes it again.
constexpr char kTestParent[] = "Software\\CorvaneTests";
constexpr char kTestRoot[] = "Software\\CorvaneTests\\cRegistry";
// Association tests register classes and extensions with these prefixes.
constexpr char kClassPrefix[] = "CorvaneTest.";
constexpr char kExtensionPrefix[] = ".corvanetest";

struct Stored {
    DWORD type = 0;
    std::vector<std::uint8_t> bytes;
};

std::optional<Stored> ReadRaw(HKEY root, const std::string& section, const std::string& name) {
    UniqueHkey key;
    if (RegOpenKeyExA(root, section.c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) {
        key.release();
        return std::nullopt;
    }
    Stored s;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &s.type, nullptr, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    s.bytes.resize(size);
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &s.type, s.bytes.data(), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    s.bytes.resize(size);
    return s;
}

std::optional<std::string> ReadText(HKEY root, const std::string& section, const std::string& name = {}) {
    auto s = ReadRaw(root, section, name);
    if (!s) {
        return std::nullopt;
    }
    return TextFromStoredBytes(s->bytes);
}

void WriteRaw(HKEY root, const std::string& section, const std::string& name, DWORD type,
              const std::vector<std::uint8_t>& bytes) {
    UniqueHkey key;
    ASSERT_EQ(RegCreateKeyExA(root, section.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key.get(), name.c_str(), 0, type, bytes.empty() ? nullptr : bytes.data(),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
}

bool KeyPresent(HKEY root, const std::string& section) {
    UniqueHkey key;
    const bool present = RegOpenKeyExA(root, section.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
    if (!present) {
        key.release();
    }
    return present;
}

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

// A stored text with its terminating NUL.
std::vector<std::uint8_t> Sz(const std::string& text) {
    return Bytes(text + '\0');
}

std::string ThisExeStem() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return ExecutableStem(path);
}

// The error an operation raises, or a number of 0 when it raises none.
template <typename F>
ComponentError ErrorOf(F&& operation) {
    try {
        operation();
    } catch (const ComponentError& e) {
        return e;
    }
    return ComponentError(0, "", "");
}

class RegistryTest : public testing::Test {
protected:
    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        section_ = std::string(kTestRoot) + "\\" + info->test_suite_name() + "." + info->name();
        RegDeleteTreeA(HKEY_CURRENT_USER, section_.c_str());
        reg_.ClassKey(kCurrentUser);
        reg_.SectionKey(section_);
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, section_.c_str());
        // The shared parents go with the last test key; they stay while another one is in use.
        RegDeleteKeyA(HKEY_CURRENT_USER, kTestRoot);
        RegDeleteKeyA(HKEY_CURRENT_USER, kTestParent);
    }

    std::optional<Stored> Raw(const std::string& name) const { return ReadRaw(HKEY_CURRENT_USER, section_, name); }
    void PutRaw(const std::string& name, DWORD type, const std::vector<std::uint8_t>& bytes) const {
        WriteRaw(HKEY_CURRENT_USER, section_, name, type, bytes);
    }

    std::string section_;
    cRegistry reg_;
};

TEST_F(RegistryTest, FreshInstanceReadsTheUnsetDefaultAndKeepsTypeZero) {
    cRegistry fresh;
    EXPECT_TRUE(fresh.Value().IsEmpty());
    EXPECT_EQ(fresh.ValueType(), 0);
    EXPECT_EQ(fresh.ClassKey(), 0);
    EXPECT_EQ(fresh.SectionKey(), "");
    EXPECT_EQ(fresh.Machine(), "");

    // Under a real key, a missing value gives Default and leaves the type alone.
    reg_.ValueKey("missing");
    reg_.ValueType(kTypeBinary);
    EXPECT_TRUE(reg_.Value().IsEmpty());
    reg_.Default(GeneralValue("fallback"));
    EXPECT_EQ(reg_.Value(), GeneralValue("fallback"));
    EXPECT_EQ(reg_.ValueType(), kTypeBinary);
    EXPECT_FALSE(KeyPresent(HKEY_CURRENT_USER, section_)) << "a read creates nothing";
}

TEST_F(RegistryTest, ReadsSetTheStoredTypeAndGiveTheMatchingKind) {
    PutRaw("sz", REG_SZ, Sz("hello"));
    PutRaw("dw", REG_DWORD, {0xFE, 0xFF, 0xFF, 0xFF});
    PutRaw("bin", REG_BINARY, {1, 2, 3});
    PutRaw("be", REG_DWORD_BIG_ENDIAN, {0x00, 0x00, 0x01, 0x02});
    PutRaw("multi", REG_MULTI_SZ, Bytes(std::string("one\0two\0\0", 9)));
    PutRaw("none", REG_NONE, {9});

    reg_.ValueKey("sz");
    EXPECT_EQ(reg_.Value(), GeneralValue("hello"));
    EXPECT_EQ(reg_.ValueType(), kTypeSz);
    reg_.ValueKey("dw");
    EXPECT_EQ(reg_.Value(), GeneralValue(std::int32_t{-2}));
    EXPECT_EQ(reg_.ValueType(), kTypeDword);
    reg_.ValueKey("bin");
    EXPECT_EQ(reg_.Value(), GeneralValue(ByteArray{0, {1, 2, 3}}));
    EXPECT_EQ(reg_.ValueType(), kTypeBinary);
    reg_.ValueKey("be");
    EXPECT_EQ(reg_.Value(), GeneralValue(std::int32_t{0x0102}));
    EXPECT_EQ(reg_.ValueType(), kTypeDwordBigEndian);
    reg_.ValueKey("multi");
    EXPECT_EQ(reg_.Value(), GeneralValue(std::string("one\0two\0", 8)));
    EXPECT_EQ(reg_.ValueType(), kTypeMultiSz);
    reg_.ValueKey("none");
    EXPECT_EQ(reg_.Value(), GeneralValue(ByteArray{0, {9}}));
    EXPECT_EQ(reg_.ValueType(), kTypeNone);
}

TEST_F(RegistryTest, TextWithoutTerminatingNulKeepsItsLastCharacter) {
    PutRaw("bare", REG_SZ, Bytes("abc"));
    PutRaw("bareexpand", REG_EXPAND_SZ, Bytes("xyz"));
    reg_.ValueKey("bare");
    EXPECT_EQ(reg_.Value(), GeneralValue("abc"));
    reg_.ValueKey("bareexpand");
    EXPECT_EQ(reg_.Value(), GeneralValue("xyz"));
}

TEST_F(RegistryTest, ExpandableTextIsExpandedOnRead) {
    ASSERT_TRUE(SetEnvironmentVariableA("CORVANE_TEST_DIR", "C:\\here"));
    PutRaw("path", REG_EXPAND_SZ, Sz("%CORVANE_TEST_DIR%\\x.wav"));
    reg_.ValueKey("path");
    EXPECT_EQ(reg_.Value(), GeneralValue("C:\\here\\x.wav"));
    EXPECT_EQ(reg_.ValueType(), kTypeExpandSz);
    SetEnvironmentVariableA("CORVANE_TEST_DIR", nullptr);
}

TEST_F(RegistryTest, PercentSignsDecideBetweenSzAndExpandSz) {
    reg_.ValueType(kTypeSz);
    const struct {
        const char* name;
        const char* text;
        DWORD type;
    } cases[] = {
        {"twoApart", "%TEMP%\\x", REG_EXPAND_SZ}, {"oneBetween", "a%b%c", REG_EXPAND_SZ},
        {"single", "100%", REG_SZ},               {"adjacent", "a%%b", REG_SZ},
        {"none", "plain", REG_SZ},
    };
    for (const auto& c : cases) {
        reg_.ValueKey(c.name);
        reg_.Value(GeneralValue(c.text));
        const auto stored = Raw(c.name);
        ASSERT_TRUE(stored) << c.name;
        EXPECT_EQ(stored->type, c.type) << c.name;
        EXPECT_EQ(TextFromStoredBytes(stored->bytes), c.text) << c.name;
        EXPECT_EQ(stored->bytes.back(), 0) << c.name;
    }
    // ValueType 2 follows the same rule.
    reg_.ValueType(kTypeExpandSz);
    reg_.ValueKey("asked2");
    reg_.Value(GeneralValue("no references"));
    EXPECT_EQ(Raw("asked2")->type, static_cast<DWORD>(REG_SZ));
}

TEST_F(RegistryTest, EmptyTextIsOneNulAndReadsBackEmpty) {
    reg_.ValueType(kTypeSz);
    reg_.ValueKey("empty");
    reg_.Value(GeneralValue(""));
    const auto stored = Raw("empty");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(stored->bytes, std::vector<std::uint8_t>{0});
    reg_.ValueType(0);
    EXPECT_EQ(reg_.Value(), GeneralValue(""));
    EXPECT_EQ(reg_.ValueType(), kTypeSz);

    // The unnamed default value of the key.
    reg_.ValueKey("");
    reg_.Value(GeneralValue(std::int16_t{42}));
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, section_), "42");
}

TEST_F(RegistryTest, IntegersAreStoredAsDwordEvenWhenBigEndianIsAsked) {
    reg_.ValueKey("n");
    reg_.ValueType(kTypeDwordBigEndian);
    reg_.Value(GeneralValue(std::int32_t{0x01020304}));
    auto stored = Raw("n");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(stored->bytes, (std::vector<std::uint8_t>{4, 3, 2, 1}));
    EXPECT_EQ(reg_.Value(), GeneralValue(std::int32_t{0x01020304}));
    EXPECT_EQ(reg_.ValueType(), kTypeDword);

    reg_.ValueKey("small");
    reg_.Value(GeneralValue(std::int16_t{-3}));
    EXPECT_EQ(reg_.Value(), GeneralValue(std::int32_t{-3}));
}

TEST_F(RegistryTest, NonIntegerWithDwordTypeStoresNothingAndRaisesNothing) {
    reg_.ValueType(kTypeDword);
    reg_.ValueKey("t");
    EXPECT_EQ(ErrorOf([&] { reg_.Value(GeneralValue("12")); }).Number(), 0);
    EXPECT_FALSE(Raw("t"));
    reg_.ValueType(kTypeDwordBigEndian);
    EXPECT_EQ(ErrorOf([&] { reg_.Value(GeneralValue()); }).Number(), 0);
    EXPECT_FALSE(Raw("t"));
}

TEST_F(RegistryTest, BinaryTakesOnlyByteArrays) {
    reg_.ValueType(kTypeBinary);
    reg_.ValueKey("b");
    reg_.Value(GeneralValue(ByteArray{1, {0xDE, 0xAD, 0x00, 0xEF}}));
    auto stored = Raw("b");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(stored->bytes, (std::vector<std::uint8_t>{0xDE, 0xAD, 0x00, 0xEF}));
    EXPECT_EQ(reg_.Value(), GeneralValue(ByteArray{0, {0xDE, 0xAD, 0x00, 0xEF}}));

    const ComponentError e = ErrorOf([&] { reg_.Value(GeneralValue("text")); });
    EXPECT_EQ(e.Number(), 26001);
    EXPECT_EQ(e.Source(), ThisExeStem());
    EXPECT_EQ(e.Description(), kApplicationDefinedDescription);
    EXPECT_EQ(reg_.Value(), GeneralValue(ByteArray{0, {0xDE, 0xAD, 0x00, 0xEF}})) << "the old bytes stay";
}

TEST_F(RegistryTest, UnwritableTypesAndUnopenableKeysRaise) {
    reg_.ValueKey("v");
    for (std::int32_t type : {0, 6, 7, 11}) {
        reg_.ValueType(type);
        const ComponentError e = ErrorOf([&] { reg_.Value(GeneralValue("x")); });
        EXPECT_EQ(static_cast<std::uint32_t>(e.Number()), 0x800469A9u) << type;
        EXPECT_EQ(e.Source(), ThisExeStem() + ".cRegistry");
        EXPECT_EQ(e.Description(), "Failed to set registry value Key: '-2147483647',Section: '" + section_ +
                                       "',Key: 'v' to value: 'x'");
        EXPECT_FALSE(Raw("v"));
    }

    cRegistry nowhere;
    nowhere.SectionKey("Software\\X");
    nowhere.ValueKey("k");
    nowhere.ValueType(kTypeSz);
    ComponentError e = ErrorOf([&] { nowhere.Value(GeneralValue(std::int32_t{7})); });
    EXPECT_EQ(e.Number(), 26001);
    EXPECT_EQ(e.Source(), ThisExeStem() + ".cRegistry");
    EXPECT_EQ(e.Description(), "Failed to set registry value Key: '0',Section: 'Software\\X',Key: 'k' to value: '7'");

    e = ErrorOf([&] { nowhere.CreateKey(); });
    EXPECT_EQ(e.Number(), 26001);
    EXPECT_EQ(e.Description(), "Failed to create registry Key: 'Software\\X");
    EXPECT_FALSE(nowhere.KeyExists());
}

TEST_F(RegistryTest, CreateKeyAndKeyExists) {
    EXPECT_FALSE(reg_.KeyExists());
    reg_.SectionKey(section_ + "\\a\\b");
    EXPECT_TRUE(reg_.CreateKey());
    EXPECT_TRUE(reg_.KeyExists());
    EXPECT_TRUE(reg_.CreateKey()) << "an existing key is opened";
    EXPECT_TRUE(KeyPresent(HKEY_CURRENT_USER, section_ + "\\a\\b"));
}

TEST_F(RegistryTest, MachineNamesAreNormalised) {
    reg_.Machine("ab");
    EXPECT_EQ(reg_.Machine(), "");
    reg_.Machine("server");
    EXPECT_EQ(reg_.Machine(), "\\\\server");
    reg_.Machine("\\\\server");
    EXPECT_EQ(reg_.Machine(), "\\\\server");
    reg_.Machine("\\\\");
    EXPECT_EQ(reg_.Machine(), "");
}

TEST_F(RegistryTest, UnreachableMachineReadsDefaultAndWritesNothing) {
    PutRaw("v", REG_SZ, Sz("local"));
    reg_.Machine("nosuchhost");
    reg_.ValueKey("v");
    reg_.Default(GeneralValue(std::int32_t{-1}));
    EXPECT_EQ(reg_.Value(), GeneralValue(std::int32_t{-1}));
    EXPECT_EQ(reg_.ValueType(), 0);

    reg_.ValueType(kTypeSz);
    reg_.ValueKey("w");
    EXPECT_EQ(ErrorOf([&] { reg_.Value(GeneralValue("remote")); }).Number(), 0);
    EXPECT_FALSE(Raw("w"));
    reg_.ValueType(99);
    EXPECT_EQ(ErrorOf([&] { reg_.Value(GeneralValue("remote")); }).Number(), 0) << "nothing is tried at all";

    // Only Value goes remote: the key operations stay local.
    EXPECT_TRUE(reg_.KeyExists());
}

TEST_F(RegistryTest, DeleteValueMissingValueAndMissingKeyRaiseTheirOwnTexts) {
    PutRaw("gone", REG_SZ, Sz("x"));
    reg_.ValueKey("gone");
    EXPECT_TRUE(reg_.DeleteValue());
    EXPECT_FALSE(Raw("gone"));

    ComponentError e = ErrorOf([&] { reg_.DeleteValue(); });
    EXPECT_EQ(e.Number(), 26001);
    EXPECT_EQ(e.Source(), ThisExeStem() + ".cRegistry");
    EXPECT_EQ(e.Description(), "Failed to delete registry Key: '-2147483647',Section: '" + section_ + "',Key: 'gone");

    reg_.SectionKey(section_ + "\\nokey");
    e = ErrorOf([&] { reg_.DeleteValue(); });
    EXPECT_EQ(e.Number(), 26001);
    EXPECT_EQ(e.Description(), "Failed to open key '-2147483647',Section: '" + section_ + "\\nokey' for delete access");
    EXPECT_FALSE(KeyPresent(HKEY_CURRENT_USER, section_ + "\\nokey"));
}

TEST_F(RegistryTest, DeleteKeyRefusesKeysWithSubKeys) {
    reg_.SectionKey(section_ + "\\parent\\child");
    reg_.CreateKey();
    reg_.SectionKey(section_ + "\\parent");
    const ComponentError e = ErrorOf([&] { reg_.DeleteKey(); });
    EXPECT_EQ(e.Number(), 26001);
    EXPECT_EQ(e.Source(), ThisExeStem() + ".cRegistry");
    EXPECT_EQ(e.Description(), "Failed to delete registry Key: '-2147483647',Section: '" + section_ + "\\parent");
    EXPECT_TRUE(KeyPresent(HKEY_CURRENT_USER, section_ + "\\parent\\child"));

    reg_.SectionKey(section_ + "\\parent\\child");
    EXPECT_TRUE(reg_.DeleteKey());
    reg_.SectionKey(section_ + "\\parent");
    EXPECT_TRUE(reg_.DeleteKey());
    EXPECT_FALSE(KeyPresent(HKEY_CURRENT_USER, section_ + "\\parent"));
    EXPECT_EQ(ErrorOf([&] { reg_.DeleteKey(); }).Number(), 26001) << "a missing key cannot be deleted";
}

TEST_F(RegistryTest, EnumerateValuesFillsBoundsOneToCount) {
    PutRaw("a", REG_SZ, Sz("1"));
    PutRaw("b", REG_DWORD, {1, 0, 0, 0});
    PutRaw(std::string(300, 'L'), REG_SZ, Sz("2"));

    TextArray names;
    names.items = {"stale"};
    std::int32_t count = -1;
    EXPECT_TRUE(reg_.EnumerateValues(names, count));
    ASSERT_EQ(count, 3);
    EXPECT_EQ(names.lowerBound, 1);
    EXPECT_EQ(names.UpperBound(), 3);
    std::vector<std::string> sorted = names.items;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<std::string>{std::string(300, 'L'), "a", "b"}));

    reg_.SectionKey(section_ + "\\missing");
    EXPECT_TRUE(reg_.EnumerateValues(names, count));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(names.items.empty());
}

TEST_F(RegistryTest, EnumerateSectionsListsSubKeyNames) {
    for (const std::string& name : {std::string("one"), std::string("two")}) {
        reg_.SectionKey(section_ + "\\" + name);
        reg_.CreateKey();
    }
    {
        // A name of the longest length the registry allows, made relative to its parent.
        UniqueHkey parent, longest;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, section_.c_str(), 0, KEY_ALL_ACCESS, parent.put()), ERROR_SUCCESS);
        ASSERT_EQ(RegCreateKeyExA(parent.get(), std::string(255, 'k').c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  longest.put(), nullptr),
                  ERROR_SUCCESS);
    }
    PutRaw("notakey", REG_SZ, Sz("v"));
    reg_.SectionKey(section_);
    TextArray sections;
    std::int32_t count = -1;
    EXPECT_TRUE(reg_.EnumerateSections(sections, count));
    ASSERT_EQ(count, 3);
    EXPECT_EQ(sections.UpperBound(), 3);
    std::vector<std::string> sorted = sections.items;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<std::string>{std::string(255, 'k'), "one", "two"}));

    reg_.SectionKey(section_ + "\\one");
    EXPECT_TRUE(reg_.EnumerateSections(sections, count));
    EXPECT_EQ(count, 0);
    reg_.SectionKey(section_ + "\\missing");
    EXPECT_TRUE(reg_.EnumerateSections(sections, count));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(sections.items.empty());
}

TEST_F(RegistryTest, ValueExSetsItsArgumentsAndWritesDefaultForEmptyText) {
    cRegistry r;
    r.ValueEx(kCurrentUser, section_, "name", kTypeSz, GeneralValue("fallback"), GeneralValue(""));
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, section_, "name"), "fallback");
    EXPECT_EQ(r.ClassKey(), kCurrentUser);
    EXPECT_EQ(r.SectionKey(), section_);
    EXPECT_EQ(r.ValueKey(), "name");
    EXPECT_EQ(r.Default(), GeneralValue("fallback"));

    r.ValueEx(kCurrentUser, section_, "num", kTypeDword, GeneralValue(), GeneralValue(std::int32_t{5}));
    EXPECT_EQ(r.ValueEx(kCurrentUser, section_, "num", kTypeSz, GeneralValue("d")), GeneralValue(std::int32_t{5}));
    EXPECT_EQ(r.ValueType(), kTypeDword);
    EXPECT_EQ(r.ValueEx(kCurrentUser, section_, "absent", kTypeSz, GeneralValue("d")), GeneralValue("d"));
    EXPECT_EQ(r.ValueKey(), "absent");
}

TEST_F(RegistryTest, TheAutostartPairWritesAndDeletesTheProgramPath) {
    // The program's own use, on a test key instead of the Run key.
    cRegistry on;
    on.ClassKey(kCurrentUser);
    on.SectionKey(section_ + "\\Run");
    on.ValueKey("Corvane");
    on.ValueType(kTypeSz);
    on.Value(GeneralValue("C:\\PROGRA~1\\Corvane\\Corvane.exe"));
    const auto stored = ReadRaw(HKEY_CURRENT_USER, section_ + "\\Run", "Corvane");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(TextFromStoredBytes(stored->bytes), "C:\\PROGRA~1\\Corvane\\Corvane.exe");

    cRegistry off;
    off.ClassKey(kCurrentUser);
    off.SectionKey(section_ + "\\Run");
    off.ValueKey("Corvane");
    off.ValueType(kTypeSz);
    EXPECT_TRUE(off.DeleteValue());
    EXPECT_FALSE(ReadRaw(HKEY_CURRENT_USER, section_ + "\\Run", "Corvane"));
    EXPECT_EQ(ErrorOf([&] { off.DeleteValue(); }).Number(), 26001);
}

TEST_F(RegistryTest, ReadingAValueThatChangesSizeMeanwhileNeverGivesAMixture) {
    const std::string shortText = "s";
    const std::string longText(4000, 'L');
    PutRaw("v", REG_SZ, Bytes(shortText + '\0'));
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        UniqueHkey key;
        RegOpenKeyExA(HKEY_CURRENT_USER, section_.c_str(), 0, KEY_SET_VALUE, key.put());
        for (int i = 0; !stop; ++i) {
            const std::string& t = i % 2 ? longText : shortText;
            RegSetValueExA(key.get(), "v", 0, REG_SZ, reinterpret_cast<const BYTE*>(t.c_str()),
                           static_cast<DWORD>(t.size() + 1));
        }
    });
    reg_.ValueKey("v");
    int longReads = 0;
    for (int i = 0; i < 1500; ++i) {
        const GeneralValue v = reg_.Value();
        const std::string* text = v.Text();
        ASSERT_NE(text, nullptr);
        ASSERT_TRUE(*text == shortText || *text == longText) << "read " << i << " gave " << text->size() << " chars";
        longReads += *text == longText;
    }
    stop = true;
    writer.join();
    std::cout << "[ figures  ] " << longReads << " of 1500 reads saw the long text\n";
}

// Counts the process's open handles by probing every handle value, to prove that no
// operation leaves a key open (Wine's GetProcessHandleCount always answers 0).
int HandleCount() {
    int n = 0;
    for (UINT_PTR h = 4; h < 0x10000; h += 4) {
        DWORD flags = 0;
        n += GetHandleInformation(reinterpret_cast<HANDLE>(h), &flags) ? 1 : 0;
    }
    return n;
}

TEST_F(RegistryTest, NoKeyStaysOpenOnAnyPathRaisedErrorsIncluded) {
    {
        // The count must see an open key, or the comparison below would prove nothing.
        const int before = HandleCount();
        UniqueHkey key;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, key.put()), ERROR_SUCCESS);
        ASSERT_GT(HandleCount(), before);
    }
    PutRaw("v", REG_SZ, Sz("x"));
    reg_.SectionKey(section_ + "\\sub");
    reg_.CreateKey();
    reg_.SectionKey(section_);
    reg_.ValueType(kTypeSz);
    reg_.ValueKey("v");
    // Whatever the first registry calls and the first thrown exception set up happens here.
    (void)reg_.Value();
    EXPECT_EQ(ErrorOf([] { throw ComponentError(1, "", ""); }).Number(), 1);

    const int before = HandleCount();
    TextArray names;
    std::int32_t count = 0;
    (void)reg_.Value();
    reg_.Value(GeneralValue("y"));
    (void)reg_.KeyExists();
    reg_.CreateKey();
    reg_.EnumerateValues(names, count);
    reg_.EnumerateSections(names, count);
    reg_.DeleteValue();
    EXPECT_EQ(ErrorOf([&] { reg_.DeleteValue(); }).Number(), 26001);
    EXPECT_EQ(ErrorOf([&] { reg_.DeleteKey(); }).Number(), 26001);
    reg_.ValueType(kTypeBinary);
    EXPECT_EQ(ErrorOf([&] { reg_.Value(GeneralValue("t")); }).Number(), 26001);
    reg_.ValueType(9);
    EXPECT_NE(ErrorOf([&] { reg_.Value(GeneralValue("t")); }).Number(), 0);
    reg_.Machine("nosuchhost");
    (void)reg_.Value();
    reg_.Value(GeneralValue("t"));
    EXPECT_EQ(HandleCount(), before);
}

// Association tests register under names of their own and remove them from both places.
class RegistryAssociationTest : public RegistryTest {
protected:
    void SetUp() override {
        RegistryTest::SetUp();
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        className_ = std::string(kClassPrefix) + info->name();
        extension_ = std::string(kExtensionPrefix) + std::to_string(std::hash<std::string>{}(info->name()) % 10000);
        RemoveClasses();
    }
    void TearDown() override {
        RemoveClasses();
        RegistryTest::TearDown();
    }
    void RemoveClasses() const {
        for (const std::string& name : {className_, extension_}) {
            RegDeleteTreeA(HKEY_CLASSES_ROOT, name.c_str());
            RegDeleteTreeA(HKEY_LOCAL_MACHINE, ("SOFTWARE\\Classes\\" + name).c_str());
        }
    }
    // The default value of a key, which must be the same under both roots.
    std::optional<std::string> ClassText(const std::string& section) const {
        const auto root = ReadText(HKEY_CLASSES_ROOT, section);
        EXPECT_EQ(root, ReadText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\" + section)) << section;
        return root;
    }

    std::string className_;
    std::string extension_;
};

TEST_F(RegistryAssociationTest, WritesQuotedCommandsAndDefaultMenuTexts) {
    const std::string ext = extension_.substr(1);
    reg_.CreateEXEAssociation("  C:\\Program Files\\Cv\\cv.exe ", className_, "Cv document", ext, "", true, "", true, "",
                              true, "", 2);
    const std::string p = "\"C:\\Program Files\\Cv\\cv.exe\"";
    EXPECT_EQ(ClassText(extension_), className_);
    EXPECT_EQ(ClassText(className_), "Cv document");
    EXPECT_EQ(ClassText(className_ + "\\shell\\open"), "&Open");
    EXPECT_EQ(ClassText(className_ + "\\shell\\open\\command"), p + " \"%1\"");
    EXPECT_EQ(ClassText(className_ + "\\shell\\print"), "&Print");
    EXPECT_EQ(ClassText(className_ + "\\shell\\print\\command"), p + " /p \"%1\"");
    EXPECT_EQ(ClassText(className_ + "\\shell\\add"), "&Install " + ext);
    EXPECT_EQ(ClassText(className_ + "\\shell\\add\\command"), p + " /a \"%1\"");
    EXPECT_EQ(ClassText(className_ + "\\shell\\new"), "&New");
    EXPECT_EQ(ClassText(className_ + "\\shell\\new\\command"), p + " /n \"%1\"");
    EXPECT_EQ(ClassText(className_ + "\\DefaultIcon"), p + ",2");
    // The command holds "%1" between quotes: a single "%" pair with one character between.
    EXPECT_EQ(ReadRaw(HKEY_CLASSES_ROOT, className_ + "\\shell\\open\\command", "")->type,
              static_cast<DWORD>(REG_SZ));

    EXPECT_EQ(reg_.ClassKey(), kLocalMachine);
    EXPECT_EQ(reg_.SectionKey(), className_ + "\\DefaultIcon");
    EXPECT_EQ(reg_.ValueType(), kTypeSz);
    EXPECT_EQ(reg_.ValueKey(), "");
}

TEST_F(RegistryAssociationTest, QuotedPathIsNotQuotedAgainAndNoIconForMinusOne) {
    reg_.CreateEXEAssociation("\"C:\\cv.exe\"", className_, "Doc", extension_.substr(1), "View", false, "Print it");
    EXPECT_EQ(ClassText(className_ + "\\shell\\open"), "View");
    EXPECT_EQ(ClassText(className_ + "\\shell\\open\\command"), "\"C:\\cv.exe\" \"%1\"");
    EXPECT_FALSE(KeyPresent(HKEY_CLASSES_ROOT, className_ + "\\shell\\print"));
    EXPECT_FALSE(KeyPresent(HKEY_CLASSES_ROOT, className_ + "\\shell\\new"));
    EXPECT_FALSE(KeyPresent(HKEY_CLASSES_ROOT, className_ + "\\shell\\add"));
    EXPECT_FALSE(KeyPresent(HKEY_CLASSES_ROOT, className_ + "\\DefaultIcon"));
    EXPECT_FALSE(KeyPresent(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\" + className_ + "\\DefaultIcon"));
    EXPECT_EQ(reg_.SectionKey(), className_ + "\\shell\\open\\command");
}

TEST_F(RegistryAssociationTest, AdditionalVerbsNeedTriplesAndAnExistingClass) {
    const std::vector<GeneralValue> four = {GeneralValue("a"), GeneralValue("b"), GeneralValue("c"), GeneralValue("d")};
    ComponentError e = ErrorOf([&] { reg_.CreateAdditionalEXEAssociations(className_, four); });
    EXPECT_EQ(static_cast<std::uint32_t>(e.Number()), 0x800469ACu);
    EXPECT_EQ(e.Source(), ThisExeStem() + ".cRegistry");
    EXPECT_EQ(e.Description(), kItemCountDescription);

    reg_.ClassKey(kClassesRoot);
    e = ErrorOf([&] { reg_.CreateAdditionalEXEAssociations(className_, {}); });
    EXPECT_EQ(static_cast<std::uint32_t>(e.Number()), 0x800469ADu);
    EXPECT_EQ(e.Description(), kClassMissingDescription);
    EXPECT_EQ(reg_.SectionKey(), className_);

    reg_.CreateEXEAssociation("C:\\cv.exe", className_, "Doc", extension_.substr(1));
    // The class is now under HKEY_LOCAL_MACHINE\SOFTWARE\Classes, not HKEY_LOCAL_MACHINE itself,
    // and ClassKey was left at HKEY_LOCAL_MACHINE.
    e = ErrorOf([&] { reg_.CreateAdditionalEXEAssociations(className_, {}); });
    EXPECT_EQ(static_cast<std::uint32_t>(e.Number()), 0x800469ADu);

    reg_.ClassKey(kClassesRoot);
    EXPECT_EQ(ErrorOf([&] { reg_.CreateAdditionalEXEAssociations(className_, {}); }).Number(), 0);
    EXPECT_FALSE(KeyPresent(HKEY_CLASSES_ROOT, className_ + "\\shell\\edit"));

    reg_.ClassKey(kClassesRoot);
    reg_.CreateAdditionalEXEAssociations(
        className_, {GeneralValue("edit"), GeneralValue("&Edit"), GeneralValue("\"C:\\cv.exe\" /e \"%1\""),
                     GeneralValue(std::int16_t{7}), GeneralValue("Seven"), GeneralValue(std::int32_t{77})});
    EXPECT_EQ(ClassText(className_ + "\\shell\\edit"), "&Edit");
    EXPECT_EQ(ClassText(className_ + "\\shell\\edit\\command"), "\"C:\\cv.exe\" /e \"%1\"");
    EXPECT_EQ(ClassText(className_ + "\\shell\\7"), "Seven");
    EXPECT_EQ(ClassText(className_ + "\\shell\\7\\command"), "77");
    EXPECT_EQ(reg_.SectionKey(), className_ + "\\shell\\7\\command");
    EXPECT_EQ(reg_.ClassKey(), kLocalMachine);
}

// Runs after the others in the file's order, and in any order proves that the tests so far
// cleaned up after themselves.
TEST(RegistryZzCleanup, NoTestKeyIsLeftBehind) {
    EXPECT_FALSE(KeyPresent(HKEY_CURRENT_USER, kTestParent));
    cRegistry classes;
    classes.ClassKey(kLocalMachine);
    classes.SectionKey("SOFTWARE\\Classes");
    TextArray names;
    std::int32_t count = 0;
    classes.EnumerateSections(names, count);
    EXPECT_GT(count, 0);
    for (const std::string& name : names.items) {
        EXPECT_NE(name.rfind(kClassPrefix, 0), 0u) << name;
        EXPECT_NE(name.rfind(kExtensionPrefix, 0), 0u) << name;
    }
}

} // namespace
} // namespace corvane
