// Single renames end to end: length limit, names already taken, the order of
// the report, and failures to write it.
#include <gtest/gtest.h>
#include <unistd.h>

#include "harness.h"

namespace {

using Tree = std::map<std::string, std::string>;

const std::string NAME_80 = std::string(76, 'N') + ".TXT";
const std::string NAME_80_LOWER = std::string(76, 'n') + ".txt";
const std::string NAME_81 = std::string(77, 'N') + ".TXT";

struct Case {
    const char* title;
    Tree before;
    std::vector<std::string> args;
    std::string out;  // after the banner
    std::string err;
    int status;
    Tree after;
};

const Case CASES[] = {
    {"a name of 80 bytes is renamed",
     {{NAME_80, "x"}},
     {"-l", NAME_80},
     NAME_80 + "\t renamed to " + NAME_80_LOWER + "\n",
     "",
     0,
     {{NAME_80_LOWER, "x"}}},
    {"a name of 81 bytes ends the run before later targets",
     {{NAME_81, "x"}, {"B.TXT", "b"}},
     {"-l", NAME_81, "B.TXT"},
     "file or directory " + NAME_81 + " has more then 80 symbols!\n",
     "",
     1,
     {{NAME_81, "x"}, {"B.TXT", "b"}}},
    {"a taken name is reported and the run goes on",
     {{"A.TXT", "upper"}, {"a.txt", "lower"}, {"B.TXT", "b"}},
     {"-l", "A.TXT", "B.TXT"},
     "B.TXT\t renamed to b.txt\n",
     "rename: File exists\n",
     0,
     {{"A.TXT", "upper"}, {"a.txt", "lower"}, {"b.txt", "b"}}},
    {"an empty directory under the new name is not replaced",
     {{"DIR/", ""}, {"DIR/f", "kept"}, {"dir/", ""}},
     {"-lD", "DIR"},
     "",
     "rename: File exists\n",
     0,
     {{"DIR/", ""}, {"DIR/f", "kept"}, {"dir/", ""}}},
    {"a name already in form is renamed onto itself",
     {{"a.txt", "a"}},
     {"-l", "a.txt"},
     "a.txt\t renamed to a.txt\n",
     "",
     0,
     {{"a.txt", "a"}}},
    {"an empty name",
     {{"a", "a"}},
     {"-u", ""},
     "",
     "rename: No such file or directory\n",
     0,
     {{"a", "a"}}},
    {"title form",
     {{"my FILE.TXT", "m"}, {".PROFILE", "p"}},
     {"-t", "my FILE.TXT", ".PROFILE"},
     "my FILE.TXT\t renamed to My file.txt\n.PROFILE\t renamed to .profile\n",
     "",
     0,
     {{"My file.txt", "m"}, {".profile", "p"}}},
};

TEST(CaseRename, Cases) {
    for (const Case& c : CASES) {
        SCOPED_TRACE(c.title);
        TempDir dir;
        build_tree(dir.path(), c.before);
        const RunResult result = run_vorlane(c.args, dir.path());
        EXPECT_EQ(result.out, banner() + c.out);
        EXPECT_EQ(result.err, c.err);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(read_tree(dir.path()), c.after);
    }
}

TEST(CaseRename, ALinkIsRenamedItselfNotItsTarget) {
    TempDir dir;
    build_tree(dir.path(), {{"Target.TXT", "t"}});
    ASSERT_EQ(symlink("Target.TXT", (dir / "LINK").c_str()), 0);
    const RunResult result = run_vorlane({"-l", "LINK"}, dir.path());
    EXPECT_EQ(result.out, banner() + "LINK\t renamed to link\n");
    EXPECT_EQ(result.status, 0);
    const Tree expected = {{"Target.TXT", "t"}, {"link", "-> Target.TXT"}};
    EXPECT_EQ(read_tree(dir.path()), expected);
}

TEST(CaseRename, ACombinedLogKeepsTheOrderOfEvents) {
    TempDir dir;
    build_tree(dir.path(), {{"A", "1"}, {"B", "2"}, {"b", "3"}, {"C", "4"}});
    const RunResult result = run_vorlane({"-l", "A", "B", "C"}, dir.path(), stderr_into_stdout());
    EXPECT_EQ(result.out, banner() + "A\t renamed to a\nrename: File exists\nC\t renamed to c\n");
    EXPECT_EQ(result.status, 0);
}

// A run that renames, and one that only prints the usage text.
TEST(CaseRename, AReportThatCannotBeWrittenEndsWithStatusOne) {
    const std::vector<std::string> runs[] = {{"-l", "A"}, {}};
    for (const std::vector<std::string>& args : runs) {
        SCOPED_TRACE(args.size());
        TempDir dir;
        build_tree(dir.path(), {{"A", "1"}});
        const RunResult result = run_vorlane(args, dir.path(), stdout_to("/dev/full"));
        EXPECT_EQ(result.err, "write: No space left on device\n");
        EXPECT_EQ(result.status, 1);
    }
}

}  // namespace
