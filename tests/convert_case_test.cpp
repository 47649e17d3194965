#include <gtest/gtest.h>

#include <string>

#include "rename/case_rename.h"

namespace {

std::string converted(std::string_view name, CaseMode mode) {
    std::string out(name.size(), '?');
    convert_case(name, mode, out.data());
    return out;
}

struct ConversionCase {
    std::string name;
    std::string lower, upper, title;
};

const ConversionCase CONVERSIONS[] = {
    {"ReadMe.TXT", "readme.txt", "README.TXT", "Readme.txt"},
    {"my FILE.TXT", "my file.txt", "MY FILE.TXT", "My file.txt"},
    {".PROFILE", ".profile", ".PROFILE", ".profile"},
    {"2ND.DOC", "2nd.doc", "2ND.DOC", "2nd.doc"},
    {"Docs/Sub/A b.C", "docs/sub/a b.c", "DOCS/SUB/A B.C", "Docs/sub/a b.c"},
    // Letter neighbours in the byte table stay as they are.
    {"@[`{Az_-~", "@[`{az_-~", "@[`{AZ_-~", "@[`{az_-~"},
    // Bytes from 128 up are not letters in any form, even at the start.
    {"\xC3\x89t\xC3\xA9.TXT", "\xC3\x89t\xC3\xA9.txt", "\xC3\x89T\xC3\xA9.TXT",
     "\xC3\x89t\xC3\xA9.txt"},
    {"\xFF\x80Z\xE9", "\xFF\x80z\xE9", "\xFF\x80Z\xE9", "\xFF\x80z\xE9"},
    {"a", "a", "A", "A"},
    {"", "", "", ""},
};

TEST(ConvertCase, EveryFormOfEachName) {
    for (const ConversionCase& c : CONVERSIONS) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(converted(c.name, CaseMode::Lower), c.lower);
        EXPECT_EQ(converted(c.name, CaseMode::Upper), c.upper);
        EXPECT_EQ(converted(c.name, CaseMode::Title), c.title);
    }
}

TEST(ConvertCase, OnlyTheTwentySixLettersChangeAcrossAllBytes) {
    for (int byte = 1; byte < 256; ++byte) {
        const std::string name(1, static_cast<char>(byte));
        const bool upper = byte >= 'A' && byte <= 'Z';
        const bool lower = byte >= 'a' && byte <= 'z';
        SCOPED_TRACE(byte);
        EXPECT_EQ(converted(name, CaseMode::Lower)[0], static_cast<char>(upper ? byte + 32 : byte));
        EXPECT_EQ(converted(name, CaseMode::Upper)[0], static_cast<char>(lower ? byte - 32 : byte));
    }
}

}  // namespace
