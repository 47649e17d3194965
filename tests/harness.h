// Runs the built binary in a fresh temporary directory and reads back what it
// left on disk.
#pragma once

#include <map>
#include <string>
#include <vector>

struct RunResult {
    std::string out;
    std::string err;
    int status = -1;  // exit status; 128 + signal number after a signal
};

inline constexpr unsigned NOBODY_ID = 65534;

struct RunOptions {
    bool as_nobody = false;   // run as an unprivileged user, so permissions hold
    std::string stdout_path;  // write standard output here instead of capturing it
    bool combined = false;    // standard error into the same capture as standard output
};

inline RunOptions as_nobody() {
    RunOptions options;
    options.as_nobody = true;
    return options;
}
inline RunOptions stdout_to(const std::string& path) {
    RunOptions options;
    options.stdout_path = path;
    return options;
}
inline RunOptions stderr_into_stdout() {
    RunOptions options;
    options.combined = true;
    return options;
}

// Runs vorlane with `args` in `cwd`, standard output and error to files.
RunResult run_vorlane(const std::vector<std::string>& args, const std::string& cwd,
                      const RunOptions& options = {});

// Runs a command and returns its exit status; its standard error goes to the
// test log, its standard output to `out` when given.
int run_command(const std::vector<std::string>& argv, std::string* out = nullptr);

// A fresh directory that is removed, with everything in it, at scope exit.
class TempDir {
   public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& relative) const { return path_ + "/" + relative; }

   private:
    std::string path_;
};

void write_file(const std::string& path, const std::string& content);
void make_dir(const std::string& path);
// Builds a tree below `root`: a key ending in "/" is a directory, any other a
// file whose content is the value.
void build_tree(const std::string& root, const std::map<std::string, std::string>& tree);
// Everything below `root`: directories as "name/" -> "", files as their
// content, symbolic links as "-> target".
std::map<std::string, std::string> read_tree(const std::string& root);
// Hands `root` and everything below it to `owner`.
void give_to(const std::string& root, unsigned owner);

// The parts of a relative path; a trailing "/" is dropped.
std::vector<std::string> split_path(const std::string& path);

// The name as the tool should convert it, by an option word's case letter
// ('l', 'u' or 't'): written apart from the tool's own conversion.
std::string case_of(const std::string& name, char letter);

std::string banner();
bool running_in_ci();
