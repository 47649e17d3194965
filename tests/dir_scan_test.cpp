// Directory scans end to end: the three modes, masks, the tool's own name,
// links, collisions between directories, and the fatal and non-fatal failures.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "harness.h"

namespace {

using Tree = std::map<std::string, std::string>;

std::string opening(const std::string& dir) {
    return "+ Rename files in directory: '" + dir + "' +\n";
}
std::string closing(const std::string& dir) { return "- '" + dir + "' is scaned -\n"; }
std::string renamed(const std::string& from, const std::string& to) {
    return from + "\t renamed to " + to + "\n";
}

std::size_t occurrences(const std::string& text, const std::string& piece) {
    std::size_t count = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos;
         at = text.find(piece, at + 1)) {
        ++count;
    }
    return count;
}

// Top holds A.TXT and SUB, SUB holds B.TXT. The enumeration of Top decides
// whether A.TXT or SUB comes first, so both orders are accepted.
TEST(DirScan, TheThreeModesOnANestedTree) {
    struct Mode {
        const char* option;
        std::string top_opening, a, sub_block_a_first, sub_block_sub_first, top_closing;
        Tree after;
    };
    const std::string a = renamed("A.TXT", "a.txt");
    const std::string b = renamed("B.TXT", "b.txt");
    const Mode modes[] = {
        {"-lR",
         opening("Top") + renamed("Top", "top"),
         a,
         opening("SUB") + renamed("SUB", "sub") + b + closing("sub"),
         "",
         closing("top"),
         {{"top/", ""}, {"top/a.txt", "a"}, {"top/sub/", ""}, {"top/sub/b.txt", "b"}}},
        {"-lr",
         opening("Top"),
         a,
         opening("SUB") + b + closing("SUB"),
         "",
         closing("Top"),
         {{"Top/", ""}, {"Top/a.txt", "a"}, {"Top/SUB/", ""}, {"Top/SUB/b.txt", "b"}}},
        {"-ld",
         opening("Top"),
         a,
         "",
         "",
         closing("Top"),
         {{"Top/", ""}, {"Top/a.txt", "a"}, {"Top/SUB/", ""}, {"Top/SUB/B.TXT", "b"}}},
    };
    for (const Mode& mode : modes) {
        SCOPED_TRACE(mode.option);
        TempDir dir;
        build_tree(dir.path(), {{"Top/A.TXT", "a"}, {"Top/SUB/B.TXT", "b"}});
        const RunResult result = run_vorlane({mode.option, "Top"}, dir.path());
        const std::string a_first =
            banner() + mode.top_opening + mode.a + mode.sub_block_a_first + mode.top_closing;
        const std::string sub_first =
            banner() + mode.top_opening + mode.sub_block_a_first + mode.a + mode.top_closing;
        EXPECT_TRUE(result.out == a_first || result.out == sub_first) << result.out;
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(read_tree(dir.path()), mode.after);
    }
}

// Each mask lets through at most one file of the directory, so the output is
// fixed whatever the enumeration order.
TEST(DirScan, MasksCompareTheWholeSuffixFromTheFirstDot) {
    const Tree files = {{"D/", ""},
                        {"D/README", "1"},
                        {"D/.PROFILE", "2"},
                        {"D/B.TXT", "3"},
                        {"D/c.txt", "4"},
                        {"D/Archive.Tar.GZ", "5"},
                        {"D/X.*", "6"},
                        {"D/VORLANE.EXE", "7"},
                        {"D/vorlane.exe", "8"},
                        {"D/Sub.TXT/", ""},
                        {"D/" + std::string(90, 'L') + ".DOC", "9"}};
    struct MaskCase {
        const char* mask;
        std::string from, to;  // the one file that passes, or none
        std::string err;
    };
    const MaskCase cases[] = {
        {"*.PROFILE", ".PROFILE", ".profile", ""},
        {"*.TXT", "B.TXT", "b.txt", ""},
        {"*.txt", "c.txt", "c.txt", ""},  // case-sensitive: B.TXT does not pass
        {"*.Tar.GZ", "Archive.Tar.GZ", "archive.tar.gz", ""},
        {"*.GZ", "", "", ""},
        {"*.*", "X.*", "x.*", ""},
        {"*.exe", "", "", ""},  // vorlane.exe is passed over by name
        {"README*.", "", "", ""},
        // The new name is taken by the tool's own file: reported, nothing replaced.
        {"*.EXE", "VORLANE.EXE", "", "rename: File exists\n"},
    };
    for (const MaskCase& c : cases) {
        SCOPED_TRACE(c.mask);
        TempDir dir;
        build_tree(dir.path(), files);
        const RunResult result = run_vorlane({"-ld", c.mask, "D"}, dir.path());
        const std::string line = c.to.empty() ? "" : renamed(c.from, c.to);
        EXPECT_EQ(result.out, banner() + opening("D") + line + closing("D"));
        EXPECT_EQ(result.err, c.err);
        EXPECT_EQ(result.status, 0);
        Tree after = files;
        if (!c.to.empty()) {
            after.erase("D/" + c.from);
            after["D/" + c.to] = files.at("D/" + c.from);
        }
        EXPECT_EQ(read_tree(dir.path()), after);
    }
}

TEST(DirScan, OnlyTheExactOwnNameIsPassedOver) {
    TempDir dir;
    build_tree(dir.path(), {{"D/vorlane.exe", "self"}, {"D/Vorlane.exe/", ""}});
    const RunResult result = run_vorlane({"-uR", "D"}, dir.path());
    EXPECT_EQ(result.out, banner() + opening("D") + renamed("D", "D") + opening("Vorlane.exe") +
                              renamed("Vorlane.exe", "VORLANE.EXE") + closing("VORLANE.EXE") +
                              closing("D"));
    EXPECT_EQ(result.status, 0);
    const Tree expected = {{"D/", ""}, {"D/vorlane.exe", "self"}, {"D/VORLANE.EXE/", ""}};
    EXPECT_EQ(read_tree(dir.path()), expected);
}

TEST(DirScan, AFileNameTooLongEndsTheRunInsideAScan) {
    TempDir dir;
    const std::string long_name = std::string(81, 'Q');
    build_tree(dir.path(), {{"D/" + long_name, "q"}, {"E/F", "f"}});
    const RunResult result = run_vorlane({"-ld", "D", "E"}, dir.path());
    EXPECT_EQ(result.out, banner() + opening("D") + "file or directory " + long_name +
                              " has more then 80 symbols!\n");
    EXPECT_EQ(result.status, 1);
    const Tree expected = {{"D/", ""}, {"D/" + long_name, "q"}, {"E/", ""}, {"E/F", "f"}};
    EXPECT_EQ(read_tree(dir.path()), expected);
}

TEST(DirScan, ADirectoryThatCannotBeOpenedEndsTheRun) {
    TempDir dir;
    build_tree(dir.path(), {{"E/F", "f"}, {"G", "g"}});
    const RunResult result = run_vorlane({"-ld", "Missing", "E"}, dir.path());
    EXPECT_EQ(result.out, banner() + opening("Missing"));
    EXPECT_EQ(result.err, "Unable to open directory: No such file or directory\n");
    EXPECT_EQ(result.status, 1);
    const RunResult file = run_vorlane({"-ld", "G", "E"}, dir.path());
    EXPECT_EQ(file.err, "Unable to open directory: Not a directory\n");
    EXPECT_EQ(file.status, 1);
    const Tree expected = {{"E/", ""}, {"E/F", "f"}, {"G", "g"}};
    EXPECT_EQ(read_tree(dir.path()), expected);
}

// Readable but not searchable: it opens, but cannot be entered.
TEST(DirScan, ADirectoryThatCannotBeEnteredIsReportedAndTheRunGoesOn) {
    TempDir dir;
    build_tree(dir.path(), {{"Locked/F", "f"}, {"Open/G", "g"}});
    give_to(dir.path(), NOBODY_ID);
    ASSERT_EQ(chmod((dir / "Locked").c_str(), 0600), 0);
    const RunResult result = run_vorlane({"-ld", "Locked", "Open"}, dir.path(), as_nobody());
    EXPECT_EQ(result.out,
              banner() + opening("Locked") + opening("Open") + renamed("G", "g") + closing("Open"));
    EXPECT_EQ(result.err, "chdir: Permission denied\n");
    EXPECT_EQ(result.status, 0);
    ASSERT_EQ(chmod((dir / "Locked").c_str(), 0700), 0);
    const Tree expected = {{"Locked/", ""}, {"Locked/F", "f"}, {"Open/", ""}, {"Open/g", "g"}};
    EXPECT_EQ(read_tree(dir.path()), expected);
}

TEST(DirScan, AWorkingDirectoryLongerThanTheLimitEndsTheRun) {
    TempDir dir;
    std::string deep = dir.path();
    while (deep.size() < 300) deep += "/" + std::string(40, 'p');
    build_tree(deep, {{"Sub/F", "f"}});
    const RunResult result = run_vorlane({"-ld", "Sub"}, deep);
    EXPECT_EQ(result.out, banner() + opening("Sub"));
    EXPECT_EQ(result.err, "getcwd: Numerical result out of range\n");
    EXPECT_EQ(result.status, 1);
    const Tree expected = {{"Sub/", ""}, {"Sub/F", "f"}};
    EXPECT_EQ(read_tree(deep), expected);
}

TEST(DirScan, LinksAreRenamedButNeverEntered) {
    TempDir dir;
    build_tree(dir.path(), {{"Outside/KEEP.TXT", "k"}, {"Top/", ""}});
    ASSERT_EQ(symlink("../Outside", (dir / "Top/OUT").c_str()), 0);
    ASSERT_EQ(symlink(".", (dir / "Top/LOOP").c_str()), 0);
    const RunResult result = run_vorlane({"-lR", "Top"}, dir.path());
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(occurrences(result.out, "+ Rename files in directory"), 1u);
    const Tree expected = {{"Outside/", ""},
                           {"Outside/KEEP.TXT", "k"},
                           {"top/", ""},
                           {"top/out", "-> ../Outside"},
                           {"top/loop", "-> ."}};
    EXPECT_EQ(read_tree(dir.path()), expected);
}

// SUB cannot become sub, which is another directory: SUB is still scanned,
// and sub exactly once.
TEST(DirScan, ADirectoryWhoseRenameFailsIsStillTheOneScanned) {
    TempDir dir;
    build_tree(dir.path(), {{"Top/SUB/X.TXT", "x"}, {"Top/sub/Y.TXT", "y"}});
    const RunResult result = run_vorlane({"-lR", "Top"}, dir.path());
    EXPECT_EQ(result.err, "rename: File exists\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(occurrences(result.out, renamed("X.TXT", "x.txt")), 1u);
    EXPECT_EQ(occurrences(result.out, renamed("Y.TXT", "y.txt")), 1u);
    const Tree expected = {{"top/", ""},
                           {"top/SUB/", ""},
                           {"top/SUB/x.txt", "x"},
                           {"top/sub/", ""},
                           {"top/sub/y.txt", "y"}};
    EXPECT_EQ(read_tree(dir.path()), expected);
}

// The path's rename fails (there is no docs), yet the directory that was
// opened is the one entered and scanned; the closing line names the
// converted path.
TEST(DirScan, APathWhoseRenameFailsIsStillScanned) {
    TempDir dir;
    build_tree(dir.path(), {{"Docs/Sub/F.TXT", "f"}});
    const RunResult result = run_vorlane({"-lR", "Docs/Sub"}, dir.path());
    EXPECT_EQ(result.out,
              banner() + opening("Docs/Sub") + renamed("F.TXT", "f.txt") + closing("docs/sub"));
    EXPECT_EQ(result.err, "rename: No such file or directory\n");
    EXPECT_EQ(result.status, 0);
    const Tree expected = {{"Docs/", ""}, {"Docs/Sub/", ""}, {"Docs/Sub/f.txt", "f"}};
    EXPECT_EQ(read_tree(dir.path()), expected);
}

// Run from inside the tree it renames: the way back to the working directory
// must survive the renames on its path, or the next relative target is lost.
TEST(DirScan, TheWayBackSurvivesRenamesOnThePath) {
    TempDir dir;
    build_tree(dir.path(), {{"P/W/F.TXT", "f"}, {"Q/G.TXT", "g"}});
    const RunResult result = run_vorlane({"-lR", "../../P", "../../Q"}, dir / "P/W");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, 0);
    const Tree expected = {
        {"p/", ""}, {"p/w/", ""}, {"p/w/f.txt", "f"}, {"q/", ""}, {"q/g.txt", "g"}};
    EXPECT_EQ(read_tree(dir.path()), expected);
}

TEST(DirScan, FilesOnlyLeavesSubdirectoriesAlone) {
    TempDir dir;
    build_tree(dir.path(), {{"D/SUB/INNER.TXT", "i"}, {"D/SUB2/", ""}});
    const RunResult result = run_vorlane({"-ld", "D"}, dir.path());
    EXPECT_EQ(result.out, banner() + opening("D") + closing("D"));
    const Tree expected = {{"D/", ""}, {"D/SUB/", ""}, {"D/SUB/INNER.TXT", "i"}, {"D/SUB2/", ""}};
    EXPECT_EQ(read_tree(dir.path()), expected);
}

}  // namespace
