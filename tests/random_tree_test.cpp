// Random trees with hostile names (any byte but '/' and NUL, names that differ
// only in case), run in every form. Whatever the outcome of each rename,
// every file must be there exactly once, each part of its path either as it
// was or converted, and a part left unconverted must have been reported.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "harness.h"

namespace {

using Tree = std::map<std::string, std::string>;

constexpr int TREES = 24;

class TreeMaker {
   public:
    explicit TreeMaker(unsigned seed) : random_(seed) {}

    // A directory's names: random ones, and for some of them the same name in
    // another case, so that converting makes them collide.
    std::vector<std::string> names(int count) {
        std::set<std::string> chosen;
        while (static_cast<int>(chosen.size()) < count) {
            std::string name = random_name();
            chosen.insert(name);
            if (pick(3) == 0) chosen.insert(flip_case(name));
        }
        return {chosen.begin(), chosen.end()};
    }

    void fill(const std::string& dir, const std::string& relative, int depth, Tree& tree) {
        for (const std::string& name : names(2 + pick(5))) {
            const std::string path = relative + name;
            if (depth < 2 && pick(4) == 0) {
                tree[path + "/"] = "";
                fill(dir, path + "/", depth + 1, tree);
            } else {
                tree[path] = "content " + std::to_string(tree.size());
            }
        }
    }

    unsigned pick(unsigned bound) {
        return std::uniform_int_distribution<unsigned>(0, bound - 1)(random_);
    }

   private:
    std::string random_name() {
        static const std::string LETTERS = "aAbBcCxXyYzZ";
        for (;;) {
            std::string name;
            const unsigned length = 1 + pick(8);
            for (unsigned i = 0; i < length; ++i) {
                const unsigned kind = pick(8);
                if (kind < 5) {
                    name += LETTERS[pick(LETTERS.size())];
                } else if (kind == 5) {
                    name += '.';
                } else {
                    char byte;
                    do byte = static_cast<char>(1 + pick(255));
                    while (byte == '/');
                    name += byte;
                }
            }
            if (name != "." && name != ".." && name != "vorlane.exe") return name;
        }
    }

    std::string flip_case(std::string name) {
        for (char& c : name) {
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 32);
            else if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c + 32);
        }
        return name;
    }

    std::mt19937 random_;
};

std::string suffix_of(const std::string& name) {
    const std::size_t dot = name.find('.');
    return dot == std::string::npos ? "" : name.substr(dot);
}

struct FormCase {
    std::string option;  // form letters after the case letter
    bool star = false;
    bool masked = false;
};

// Whether the form asks for part `i` of `parts` (below Top) to be converted.
bool asks_for(const FormCase& form, const std::vector<std::string>& parts, std::size_t i,
              bool is_file, const std::string& mask) {
    const bool last = i + 1 == parts.size();
    const bool file = is_file && last;
    if (form.masked && file && "*" + suffix_of(parts[i]) != mask) return false;
    if (form.option == "R") return true;
    if (form.option == "D") return i == 0;
    if (form.option == "r") return file && i > 0;
    // d, the star and plain names: the files directly in Top
    return file && parts.size() == 2;
}

TEST(RandomTrees, NothingIsLostInAnyForm) {
    const FormCase forms[] = {
        {"f"}, {"", true}, {"d"}, {"D"}, {"r"}, {"R"}, {"r", false, true}, {"R", false, true}};
    for (int seed = 1; seed <= TREES; ++seed) {
        for (const FormCase& form : forms) {
            TreeMaker maker(static_cast<unsigned>(seed));
            const char mode = "lut"[seed % 3];
            TempDir dir;
            Tree before;
            before["Top/"] = "";
            maker.fill(dir.path(), "Top/", 0, before);
            build_tree(dir.path(), before);

            std::string mask;
            for (const auto& [path, content] : before) {
                if (path.back() != '/' && !suffix_of(split_path(path).back()).empty()) {
                    mask = "*" + suffix_of(split_path(path).back());
                }
            }
            if (form.masked && mask.empty()) continue;

            std::vector<std::string> args = {std::string("-") + mode + form.option};
            std::string cwd = dir.path();
            if (form.star) {
                args.push_back("*");
                cwd = dir / "Top";
            } else if (form.option == "f") {
                for (const auto& [path, content] : before) {
                    const std::vector<std::string> parts = split_path(path);
                    if (path.back() != '/' && parts.size() == 2 &&
                        parts[1].find("*.") == std::string::npos) {
                        args.push_back("./" + parts[1]);
                    }
                }
                cwd = dir / "Top";
                if (args.size() == 1) continue;
            } else {
                if (form.masked) args.push_back(mask);
                args.push_back("Top");
            }
            SCOPED_TRACE("seed " + std::to_string(seed) + ", " + args[0] +
                         (form.masked ? " with mask" : ""));

            const RunResult result = run_vorlane(args, cwd);
            ASSERT_EQ(result.status, 0) << result.err;

            // Every file once, found by its unique content.
            const Tree after = read_tree(dir.path());
            std::map<std::string, std::string> where;
            std::size_t directories_before = 0, directories_after = 0;
            for (const auto& [path, content] : after) {
                if (path.back() == '/') {
                    ++directories_after;
                    continue;
                }
                ASSERT_TRUE(where.emplace(content, path).second) << "duplicate " << content;
            }
            std::size_t unconverted = 0;
            std::set<std::string> left_as_was;
            for (const auto& [path, content] : before) {
                if (path.back() == '/') {
                    ++directories_before;
                    continue;
                }
                ASSERT_EQ(where.count(content), 1u) << "lost " << path;
                const std::vector<std::string> old_parts = split_path(path);
                const std::vector<std::string> new_parts = split_path(where[content]);
                ASSERT_EQ(old_parts.size(), new_parts.size()) << path << " -> " << where[content];
                for (std::size_t i = 0; i < old_parts.size(); ++i) {
                    const bool asked = asks_for(form, old_parts, i, true, mask);
                    // Plain names are passed as "./name" and converted whole.
                    const std::string as_converted =
                        form.option == "f" ? case_of("./" + old_parts[i], mode).substr(2)
                                           : case_of(old_parts[i], mode);
                    const std::string wanted = asked ? as_converted : old_parts[i];
                    if (new_parts[i] == wanted) continue;
                    ASSERT_TRUE(asked && new_parts[i] == old_parts[i])
                        << path << " -> " << where[content];
                    std::string prefix;
                    for (std::size_t j = 0; j <= i; ++j) prefix += old_parts[j] + "/";
                    if (left_as_was.insert(prefix).second) ++unconverted;
                }
            }
            EXPECT_EQ(directories_before, directories_after);
            std::size_t reported = 0;
            for (std::size_t at = result.err.find("rename: "); at != std::string::npos;
                 at = result.err.find("rename: ", at + 1)) {
                ++reported;
            }
            EXPECT_GE(reported, unconverted) << result.err;
        }
    }
}

}  // namespace
