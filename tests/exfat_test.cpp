// Every renaming form on a real case-insensitive volume: an exFAT image on a
// loop device, mounted through FUSE. Needs root, loop devices and FUSE; under
// CI these must be there, elsewhere the tests skip and say why.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "harness.h"

namespace {

using Tree = std::map<std::string, std::string>;

constexpr std::uintmax_t IMAGE_SIZE = 64u << 20;

class Exfat : public ::testing::Test {
   protected:
    void SetUp() override {
        if (geteuid() != 0) return unavailable("needs root to attach a loop device");
        const std::string image = work_ / "volume.img";
        write_file(image, "");
        std::filesystem::resize_file(image, IMAGE_SIZE);
        if (run_command({"mkfs.exfat", image}, &ignored_) != 0) {
            return unavailable("mkfs.exfat failed or is missing (package exfatprogs)");
        }
        if (run_command({"losetup", "-f", "--show", image}, &loop_) != 0) {
            loop_.clear();
            return unavailable("losetup could not attach the image");
        }
        while (!loop_.empty() && loop_.back() == '\n') loop_.pop_back();
        mount_point_ = work_ / "mnt";
        make_dir(mount_point_);
        if (run_command({"mount.exfat-fuse", loop_, mount_point_}, &ignored_) != 0) {
            return unavailable("mount.exfat-fuse failed or is missing (package exfat-fuse)");
        }
        mounted_ = true;
    }

    void TearDown() override {
        if (mounted_) run_command({"umount", mount_point_});
        if (!loop_.empty()) run_command({"losetup", "-d", loop_});
    }

    void unavailable(const std::string& reason) {
        if (running_in_ci()) {
            FAIL() << "exFAT volume unavailable under CI: " << reason;
        }
        GTEST_SKIP() << "exFAT volume unavailable: " << reason;
    }

    TempDir work_;
    std::string loop_, mount_point_, ignored_;
    bool mounted_ = false;
};

const Tree TREE = {
    {"Root.TXT", "root"},
    {"Top/", ""},
    {"Top/MixedCase.Txt", "mixed"},
    {"Top/lower.txt", "lower"},
    {"Top/UPPER.TXT", "upper"},
    {"Top/Sub Dir/", ""},
    {"Top/Sub Dir/Inner.Doc", "inner"},
    {"Top/Sub Dir/DEEP/", ""},
    {"Top/Sub Dir/DEEP/x.Y", "deep"},
};

// Whether a form converts part `i` of a path; `last_is_file` tells whether
// the last part is a file.
using Rule =
    std::function<bool(const std::vector<std::string>& parts, std::size_t i, bool last_is_file)>;

struct Form {
    std::vector<std::string> args;  // after the option word
    const char* letter;
    Rule converts;
};

bool is_last_file(const std::vector<std::string>& parts, std::size_t i, bool last_is_file) {
    return last_is_file && i + 1 == parts.size();
}

const Form FORMS[] = {
    {{"Root.TXT", "Top/MixedCase.Txt"},
     "f",
     [](const auto& parts, std::size_t i, bool file) {
         return is_last_file(parts, i, file) && (parts.size() == 1 || parts[1] == "MixedCase.Txt");
     }},
    {{"*"},
     "",
     [](const auto& parts, std::size_t i, bool file) {
         return is_last_file(parts, i, file) && parts.size() == 1;
     }},
    {{"Top"},
     "d",
     [](const auto& parts, std::size_t i, bool file) {
         return is_last_file(parts, i, file) && parts.size() == 2 && parts[0] == "Top";
     }},
    {{"Top"},
     "D",
     [](const auto& parts, std::size_t i, bool) { return i == 0 && parts[0] == "Top"; }},
    {{"Top"},
     "r",
     [](const auto& parts, std::size_t i, bool file) {
         return is_last_file(parts, i, file) && parts[0] == "Top";
     }},
    {{"Top"}, "R", [](const auto& parts, std::size_t, bool) { return parts[0] == "Top"; }},
};

Tree expected_tree(const Form& form, char mode) {
    Tree tree;
    for (const auto& [path, content] : TREE) {
        const bool file = path.back() != '/';
        const std::vector<std::string> parts = split_path(path);
        std::string result;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (i > 0) result += "/";
            // Plain names are converted as whole paths: in title form only the
            // path's first byte is raised.
            const char part_mode = form.letter[0] == 'f' && i > 0 && mode == 't' ? 'l' : mode;
            result += form.converts(parts, i, file) ? case_of(parts[i], part_mode) : parts[i];
        }
        tree[file ? result : result + "/"] = content;
    }
    return tree;
}

TEST_F(Exfat, EveryFormInEveryCaseKeepsEveryFile) {
    int run = 0;
    for (const Form& form : FORMS) {
        for (char mode : {'l', 'u', 't'}) {
            const std::string dir = mount_point_ + "/run" + std::to_string(run++);
            SCOPED_TRACE(std::string("-") + mode + form.letter + " " + form.args[0]);
            build_tree(dir, TREE);
            std::vector<std::string> args = {std::string("-") + mode + form.letter};
            args.insert(args.end(), form.args.begin(), form.args.end());
            const RunResult result = run_vorlane(args, dir);
            EXPECT_EQ(result.err, "");
            EXPECT_EQ(result.status, 0);
            EXPECT_EQ(read_tree(dir), expected_tree(form, mode));
        }
    }
}

TEST_F(Exfat, ALargeDirectoryIsLoweredWhole) {
    const std::string dir = mount_point_ + "/Big";
    Tree before, after;
    for (int i = 0; i < 400; ++i) {
        before["FILE-" + std::to_string(i) + ".TXT"] = std::to_string(i);
        after["file-" + std::to_string(i) + ".txt"] = std::to_string(i);
    }
    build_tree(dir, before);
    const RunResult result = run_vorlane({"-ld", "Big"}, mount_point_);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(read_tree(dir), after);
}

}  // namespace
