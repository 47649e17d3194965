// The no-replace rename against file systems played in memory: ones that tell
// cases apart, ones that ignore case and store the new spelling, ones that
// ignore case and keep the old spelling, each with and without an exclusive
// rename.
#include "platform/no_replace_rename.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <string>
#include <vector>

namespace {

struct FakeFs {
    bool folds_case = false;
    bool stores_case = true;
    bool refuses_exclusive = false;
    std::string refused_target;                  // renames onto this name fail with EACCES
    std::map<std::string, std::string> entries;  // stored spelling -> content
    int directory_reads = 0;
    std::vector<std::string> targets = {};  // every name renamed onto

    static std::string folded(std::string name) {
        for (char& c : name) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
        return name;
    }
    std::map<std::string, std::string>::iterator find(const std::string& name) {
        if (!folds_case) return entries.find(name);
        for (auto it = entries.begin(); it != entries.end(); ++it) {
            if (folded(it->first) == folded(name)) return it;
        }
        return entries.end();
    }
    int move(const std::string& from, const std::string& to, bool exclusive) {
        auto source = find(from);
        if (source == entries.end()) return ENOENT;
        auto target = find(to);
        if (exclusive && target != entries.end()) return EEXIST;
        if (exclusive && refuses_exclusive) return EINVAL;
        targets.push_back(to);
        if (to == refused_target) return EACCES;
        if (target == source) {
            if (!stores_case) return 0;
        } else if (target != entries.end()) {
            entries.erase(target);
        }
        std::string content = find(from)->second;
        entries.erase(find(from));
        entries[to] = content;
        return 0;
    }
};

FakeFs* fake = nullptr;

const platform::RenamePrimitives FAKE_PRIMITIVES = {
    [](const char* from, const char* to) { return fake->move(from, to, true); },
    [](const char* from, const char* to) { return fake->move(from, to, false); },
    [](const char* path, bool& found) {
        found = fake->find(path) != fake->entries.end();
        return 0;
    },
    [](const char* path, bool& found) {
        ++fake->directory_reads;
        found = fake->entries.count(path) != 0;
        return 0;
    },
    [] { return 42ul; },
};

struct FsKind {
    const char* name;
    bool folds_case, stores_case, refuses_exclusive;
};

constexpr FsKind FS_KINDS[] = {
    {"case-sensitive", false, true, false},
    {"case-sensitive, no exclusive rename", false, true, true},
    {"case-insensitive, stores case", true, true, false},
    {"case-insensitive, stores case, no exclusive rename", true, true, true},
    {"case-insensitive, keeps old case", true, false, false},
    {"case-insensitive, keeps old case, no exclusive rename", true, false, true},
};

struct Scenario {
    const char* name;
    std::map<std::string, std::string> before;
    const char* from;
    const char* to;
    int error;
    std::map<std::string, std::string> after;
    bool only_where_case_is_told_apart;
};

const Scenario SCENARIOS[] = {
    {"case-only change",
     {{"FILE.TXT", "1"}},
     "FILE.TXT",
     "file.txt",
     0,
     {{"file.txt", "1"}},
     false},
    {"new name free", {{"A", "1"}, {"c", "2"}}, "A", "b", 0, {{"b", "1"}, {"c", "2"}}, false},
    {"onto itself", {{"same", "1"}}, "same", "same", 0, {{"same", "1"}}, false},
    {"missing entry", {{"other", "1"}}, "Gone", "gone", ENOENT, {{"other", "1"}}, false},
    {"new name held by another entry",
     {{"A", "1"}, {"b", "2"}},
     "A",
     "b",
     EEXIST,
     {{"A", "1"}, {"b", "2"}},
     false},
    {"case-only change onto another entry",
     {{"A.TXT", "1"}, {"a.txt", "2"}},
     "A.TXT",
     "a.txt",
     EEXIST,
     {{"A.TXT", "1"}, {"a.txt", "2"}},
     true},
};

TEST(NoReplaceRename, EveryScenarioOnEveryKindOfFileSystem) {
    for (const FsKind& kind : FS_KINDS) {
        for (const Scenario& scenario : SCENARIOS) {
            if (scenario.only_where_case_is_told_apart && kind.folds_case) continue;
            SCOPED_TRACE(std::string(kind.name) + ": " + scenario.name);
            FakeFs fs{
                kind.folds_case, kind.stores_case, kind.refuses_exclusive, "", scenario.before, 0};
            fake = &fs;
            platform::DirCase dir;
            EXPECT_EQ(
                platform::rename_no_replace_with(FAKE_PRIMITIVES, scenario.from, scenario.to, dir),
                scenario.error);
            EXPECT_EQ(fs.entries, scenario.after);
        }
    }
}

TEST(NoReplaceRename, ADirectoryIsReadABoundedNumberOfTimes) {
    for (const FsKind& kind : FS_KINDS) {
        SCOPED_TRACE(kind.name);
        FakeFs fs{kind.folds_case, kind.stores_case, kind.refuses_exclusive, "", {}, 0};
        for (int i = 0; i < 300; ++i) fs.entries["F" + std::to_string(i)] = std::to_string(i);
        fake = &fs;
        platform::DirCase dir;
        for (int i = 0; i < 300; ++i) {
            const std::string from = "F" + std::to_string(i), to = "f" + std::to_string(i);
            ASSERT_EQ(
                platform::rename_no_replace_with(FAKE_PRIMITIVES, from.c_str(), to.c_str(), dir),
                0);
        }
        EXPECT_LE(fs.directory_reads, 2);
        for (int i = 0; i < 300; ++i) {
            EXPECT_EQ(fs.entries["f" + std::to_string(i)], std::to_string(i));
        }
        EXPECT_EQ(fs.entries.size(), 300u);
    }
}

TEST(NoReplaceRename, ATemporaryNameInUseIsPassedOver) {
    FakeFs fs{true, false, false, "", {{"X", "1"}, {".vorlane-42-0", "taken"}}, 0};
    fake = &fs;
    platform::DirCase dir;
    EXPECT_EQ(platform::rename_no_replace_with(FAKE_PRIMITIVES, "X", "x", dir), 0);
    const std::map<std::string, std::string> expected = {{"x", "1"}, {".vorlane-42-0", "taken"}};
    EXPECT_EQ(fs.entries, expected);
}

TEST(NoReplaceRename, AFailedSecondStepPutsTheEntryBack) {
    for (bool refuses_exclusive : {false, true}) {
        FakeFs fs{true, false, refuses_exclusive, "x", {{"X", "1"}}, 0};
        fake = &fs;
        platform::DirCase dir;
        EXPECT_EQ(platform::rename_no_replace_with(FAKE_PRIMITIVES, "X", "x", dir), EACCES);
        const std::map<std::string, std::string> expected = {{"X", "1"}};
        EXPECT_EQ(fs.entries, expected);
    }
}

TEST(NoReplaceRename, ATemporaryNameKeepsTheDirectoryPart) {
    FakeFs fs{true, false, false, "", {{"d/X", "1"}, {"d/.vorlane-42-0", "taken"}}, 0};
    fake = &fs;
    platform::DirCase dir;
    EXPECT_EQ(platform::rename_no_replace_with(FAKE_PRIMITIVES, "d/X", "d/x", dir), 0);
    const std::map<std::string, std::string> expected = {{"d/x", "1"},
                                                         {"d/.vorlane-42-0", "taken"}};
    EXPECT_EQ(fs.entries, expected);
    EXPECT_NE(std::find(fs.targets.begin(), fs.targets.end(), "d/.vorlane-42-1"), fs.targets.end());
}

}  // namespace
