// The command line end to end: every row of the dispatch table, run on one
// small tree, with the output, the exit status and the tree afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "harness.h"

namespace {

const std::string USAGE =
    "usage:\n"
    "    vorlane -{l|u|t}[f] filename - rename file(s)\n"
    "    vorlane -{l|u|t} *\t\t - rename file(s) in current directory\n"
    "    vorlane -{l|u|t}d dirname(s) - rename file(s) in directory(ies)\n"
    "    vorlane -{l|u|t}D dirname(s) - rename directory(ies)\n"
    "    vorlane -{l|u|t}r dirname(s) - recursive rename file(s) in directory(ies)\n"
    "    vorlane -{l|u|t}R dirname(s) - recursive rename file(s) and directory(ies)\n"
    "\n"
    "\tl - to lower register;\n"
    "\tu - to upper register;\n"
    "\tt - first letter to upper register, other to lower register\n"
    "\n";

const std::map<std::string, std::string> TREE = {
    {"A.TXT", "a"},
    {"Dir1/", ""},
    {"Dir1/F1.TXT", "f1"},
    {"Dir1/Sub1/", ""},
    {"Dir1/Sub1/S1.TXT", "s1"},
    {"Dir2/", ""},
    {"Dir2/F2.DOC", "f2"},
};

struct Row {
    std::vector<std::string> args;
    std::string out;  // after the banner
    std::string err;
    int status;
    std::vector<std::pair<std::string, std::string>> moved;  // renames, in TREE's paths
    bool any_order = false;  // the enumeration decides the order of lines
};

std::string opening(const std::string& dir) {
    return "+ Rename files in directory: '" + dir + "' +\n";
}
std::string closing(const std::string& dir) { return "- '" + dir + "' is scaned -\n"; }
std::string renamed(const std::string& from, const std::string& to) {
    return from + "\t renamed to " + to + "\n";
}

const Row ROWS[] = {
    // Unusable command lines.
    {{}, USAGE, "", 0, {}},
    {{"-l"}, USAGE, "", 0, {}},
    {{"l", "A.TXT"}, USAGE, "", 0, {}},
    {{"-lu", "A.TXT"}, USAGE, "", 0, {}},
    {{"-Rrx", "A.TXT"}, USAGE, "", 0, {}},
    // No form letter, or f: plain names, in order.
    {{"-l", "A.TXT"}, renamed("A.TXT", "a.txt"), "", 0, {{"A.TXT", "a.txt"}}},
    // A path is converted whole: where its directory part changes, the
    // converted path leads nowhere on a file system that tells cases apart.
    {{"-lf", "Dir2/F2.DOC"}, "", "rename: No such file or directory\n", 0, {}},
    {{"-t", "Dir2/F2.DOC"},
     renamed("Dir2/F2.DOC", "Dir2/f2.doc"),
     "",
     0,
     {{"Dir2/F2.DOC", "Dir2/f2.doc"}}},
    {{"-u", "Dir2", "A.TXT"},
     renamed("Dir2", "DIR2") + renamed("A.TXT", "A.TXT"),
     "",
     0,
     {{"Dir2", "DIR2"}}},
    {{"-l", "A.TXT", "*.TXT", "*"},
     renamed("A.TXT", "a.txt"),
     "rename: No such file or directory\nrename: No such file or directory\n",
     0,
     {{"A.TXT", "a.txt"}}},
    // The star: the current directory, further targets ignored.
    {{"-l", "*", "Dir1"},
     opening(".") + renamed("A.TXT", "a.txt") + closing("."),
     "",
     0,
     {{"A.TXT", "a.txt"}}},
    {{"-lf", "*"},
     opening(".") + renamed("A.TXT", "a.txt") + closing("."),
     "",
     0,
     {{"A.TXT", "a.txt"}}},
    {{"-ld", "*", "Dir1"}, "need dirname(s)\n", "", 0, {}},
    {{"-lD", "*"}, "need dirname(s)\n", "", 0, {}},
    {{"-lr", "*"},
     opening(".") + renamed("A.TXT", "a.txt") + opening("Dir1") + renamed("F1.TXT", "f1.txt") +
         opening("Sub1") + renamed("S1.TXT", "s1.txt") + closing("Sub1") + closing("Dir1") +
         opening("Dir2") + renamed("F2.DOC", "f2.doc") + closing("Dir2") + closing("."),
     "",
     0,
     {{"A.TXT", "a.txt"},
      {"Dir1/F1.TXT", "Dir1/f1.txt"},
      {"Dir1/Sub1/S1.TXT", "Dir1/Sub1/s1.txt"},
      {"Dir2/F2.DOC", "Dir2/f2.doc"}},
     true},
    {{"-uR", "*"},
     opening(".") + renamed("A.TXT", "A.TXT") + opening("Dir1") + renamed("Dir1", "DIR1") +
         renamed("F1.TXT", "F1.TXT") + opening("Sub1") + renamed("Sub1", "SUB1") +
         renamed("S1.TXT", "S1.TXT") + closing("SUB1") + closing("DIR1") + opening("Dir2") +
         renamed("Dir2", "DIR2") + renamed("F2.DOC", "F2.DOC") + closing("DIR2") + closing("."),
     "rename: Device or resource busy\n",
     0,
     {{"Dir1/Sub1", "Dir1/SUB1"}, {"Dir1", "DIR1"}, {"Dir2", "DIR2"}},
     true},
    // Directory names.
    {{"-ld", "Dir1", "Dir2"},
     opening("Dir1") + renamed("F1.TXT", "f1.txt") + closing("Dir1") + opening("Dir2") +
         renamed("F2.DOC", "f2.doc") + closing("Dir2"),
     "",
     0,
     {{"Dir1/F1.TXT", "Dir1/f1.txt"}, {"Dir2/F2.DOC", "Dir2/f2.doc"}}},
    {{"-lD", "Dir1", "Dir2"},
     renamed("Dir1", "dir1") + renamed("Dir2", "dir2"),
     "",
     0,
     {{"Dir1", "dir1"}, {"Dir2", "dir2"}}},
    {{"-tr", "Dir1"},
     opening("Dir1") + renamed("F1.TXT", "F1.txt") + opening("Sub1") + renamed("S1.TXT", "S1.txt") +
         closing("Sub1") + closing("Dir1"),
     "",
     0,
     {{"Dir1/F1.TXT", "Dir1/F1.txt"}, {"Dir1/Sub1/S1.TXT", "Dir1/Sub1/S1.txt"}},
     true},
    {{"-lR", "Dir1"},
     opening("Dir1") + renamed("Dir1", "dir1") + renamed("F1.TXT", "f1.txt") + opening("Sub1") +
         renamed("Sub1", "sub1") + renamed("S1.TXT", "s1.txt") + closing("sub1") + closing("dir1"),
     "",
     0,
     {{"Dir1/Sub1/S1.TXT", "Dir1/Sub1/s1.txt"},
      {"Dir1/Sub1", "Dir1/sub1"},
      {"Dir1/F1.TXT", "Dir1/f1.txt"},
      {"Dir1", "dir1"}},
     true},
    // A mask as the first target.
    {{"-l", "*.TXT"},
     opening(".") + renamed("A.TXT", "a.txt") + closing("."),
     "",
     0,
     {{"A.TXT", "a.txt"}}},
    {{"-lf", "*.TXT", "Dir1", "Dir2"},
     opening("Dir1") + renamed("F1.TXT", "f1.txt") + closing("Dir1") + opening("Dir2") +
         closing("Dir2"),
     "",
     0,
     {{"Dir1/F1.TXT", "Dir1/f1.txt"}}},
    {{"-ld", "*.TXT"}, "", "", 0, {}},
    {{"-lD", "*.TXT"}, "", "", 0, {}},
    {{"-lr", "*.TXT"}, "", "", 0, {}},
    {{"-lR", "*.TXT"}, "", "", 0, {}},
    {{"-ld", "*.DOC", "Dir2"},
     opening("Dir2") + renamed("F2.DOC", "f2.doc") + closing("Dir2"),
     "",
     0,
     {{"Dir2/F2.DOC", "Dir2/f2.doc"}}},
    {{"-lD", "*.TXT", "Dir1"},
     opening("Dir1") + renamed("F1.TXT", "f1.txt") + closing("Dir1"),
     "",
     0,
     {{"Dir1/F1.TXT", "Dir1/f1.txt"}}},
    {{"-ur", "x*.TXT", "Dir1"},
     opening("Dir1") + opening("Sub1") + closing("Sub1") + closing("Dir1"),
     "",
     0,
     {}},
    {{"-lr", "*.TXT", "Dir1"},
     opening("Dir1") + renamed("F1.TXT", "f1.txt") + opening("Sub1") + renamed("S1.TXT", "s1.txt") +
         closing("Sub1") + closing("Dir1"),
     "",
     0,
     {{"Dir1/F1.TXT", "Dir1/f1.txt"}, {"Dir1/Sub1/S1.TXT", "Dir1/Sub1/s1.txt"}},
     true},
    {{"-lR", "*.DOC", "Dir1"},
     opening("Dir1") + renamed("Dir1", "dir1") + opening("Sub1") + renamed("Sub1", "sub1") +
         closing("sub1") + closing("dir1"),
     "",
     0,
     {{"Dir1/Sub1", "Dir1/sub1"}, {"Dir1", "dir1"}}},
};

// Applies renames to TREE's paths: a renamed directory takes its contents along.
std::map<std::string, std::string> tree_after(
    const std::vector<std::pair<std::string, std::string>>& moved) {
    std::map<std::string, std::string> tree = TREE;
    for (const auto& [from, to] : moved) {
        std::map<std::string, std::string> next;
        for (const auto& [path, content] : tree) {
            if (path == from || path.rfind(from + "/", 0) == 0) {
                next[to + path.substr(from.size())] = content;
            } else {
                next[path] = content;
            }
        }
        tree = next;
    }
    return tree;
}

std::vector<std::string> sorted_lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::string joined(const std::vector<std::string>& args) {
    std::string text = "vorlane";
    for (const std::string& arg : args) text += " '" + arg + "'";
    return text;
}

TEST(Dispatch, EveryRowOfTheTable) {
    for (const Row& row : ROWS) {
        SCOPED_TRACE(joined(row.args));
        TempDir dir;
        build_tree(dir.path(), TREE);
        const RunResult result = run_vorlane(row.args, dir.path());
        EXPECT_EQ(result.status, row.status);
        EXPECT_EQ(result.err, row.err);
        ASSERT_EQ(result.out.substr(0, banner().size()), banner());
        const std::string out = result.out.substr(banner().size());
        if (row.any_order) {
            EXPECT_EQ(sorted_lines(out), sorted_lines(row.out));
        } else {
            EXPECT_EQ(out, row.out);
        }
        EXPECT_EQ(read_tree(dir.path()), tree_after(row.moved));
    }
}

}  // namespace
