#include "harness.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace stdfs = std::filesystem;

namespace {

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int spawn_and_wait(const std::vector<std::string>& argv, posix_spawn_file_actions_t* actions) {
    std::vector<char*> pointers;
    for (const std::string& word : argv) pointers.push_back(const_cast<char*>(word.c_str()));
    pointers.push_back(nullptr);
    pid_t pid;
    if (posix_spawnp(&pid, pointers[0], actions, nullptr, pointers.data(), environ) != 0) {
        throw std::runtime_error("cannot start " + argv[0]);
    }
    int wait_status = 0;
    while (waitpid(pid, &wait_status, 0) < 0) {
    }
    if (WIFEXITED(wait_status)) return WEXITSTATUS(wait_status);
    return 128 + WTERMSIG(wait_status);
}

}  // namespace

RunResult run_vorlane(const std::vector<std::string>& args, const std::string& cwd,
                      const RunOptions& options) {
    TempDir capture;
    const std::string out_path =
        options.stdout_path.empty() ? capture / "out" : options.stdout_path;
    const std::string err_path = capture / "err";

    std::vector<std::string> argv;
    std::string binary = VORLANE_BINARY;
    if (options.as_nobody) {
        const std::string id = std::to_string(NOBODY_ID);
        argv = {"setpriv", "--reuid=" + id, "--regid=" + id, "--clear-groups"};
        // The build tree may lie where that user cannot reach; a copy can.
        binary = capture / "vorlane";
        stdfs::copy_file(VORLANE_BINARY, binary);
        stdfs::permissions(capture.path(), stdfs::perms::owner_all | stdfs::perms::others_read |
                                               stdfs::perms::others_exec);
    }
    argv.push_back(binary);
    argv.insert(argv.end(), args.begin(), args.end());

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out_path.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (options.combined) {
        posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err_path.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    RunResult result;
    result.status = spawn_and_wait(argv, &actions);
    posix_spawn_file_actions_destroy(&actions);
    if (options.stdout_path.empty()) result.out = slurp(out_path);
    if (!options.combined) result.err = slurp(err_path);
    return result;
}

int run_command(const std::vector<std::string>& argv, std::string* out) {
    TempDir capture;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (out != nullptr) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, (capture / "out").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    int status = -1;
    try {
        status = spawn_and_wait(argv, &actions);
    } catch (const std::runtime_error&) {
        status = 127;
    }
    posix_spawn_file_actions_destroy(&actions);
    if (out != nullptr) *out = slurp(capture / "out");
    return status;
}

TempDir::TempDir() {
    std::string pattern = stdfs::temp_directory_path().string() + "/vorlane-test-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp " + pattern);
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Tests may leave directories without permissions; give them back first.
    for (auto it = stdfs::recursive_directory_iterator(
             path_, stdfs::directory_options::skip_permission_denied, ignored);
         it != stdfs::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
            stdfs::permissions(it->path(), stdfs::perms::owner_all, stdfs::perm_options::add,
                               ignored);
        }
    }
    stdfs::remove_all(path_, ignored);
}

void write_file(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
    if (!out) throw std::runtime_error("cannot write " + path);
}

void make_dir(const std::string& path) { stdfs::create_directories(path); }

void build_tree(const std::string& root, const std::map<std::string, std::string>& tree) {
    for (const auto& [relative, content] : tree) {
        if (relative.back() == '/') {
            make_dir(root + "/" + relative);
        } else {
            make_dir(stdfs::path(root + "/" + relative).parent_path());
            write_file(root + "/" + relative, content);
        }
    }
}

std::map<std::string, std::string> read_tree(const std::string& root) {
    std::map<std::string, std::string> tree;
    for (const auto& entry : stdfs::recursive_directory_iterator(root)) {
        std::string relative = entry.path().lexically_relative(root).string();
        if (entry.is_symlink()) {
            tree[relative] = "-> " + stdfs::read_symlink(entry.path()).string();
        } else if (entry.is_directory()) {
            tree[relative + "/"] = "";
        } else {
            tree[relative] = slurp(entry.path());
        }
    }
    return tree;
}

void give_to(const std::string& root, unsigned owner) {
    if (lchown(root.c_str(), owner, owner) != 0) throw std::runtime_error("chown " + root);
    for (const auto& entry : stdfs::recursive_directory_iterator(root)) {
        if (lchown(entry.path().c_str(), owner, owner) != 0) {
            throw std::runtime_error("chown " + entry.path().string());
        }
    }
}

std::vector<std::string> split_path(const std::string& path) {
    std::vector<std::string> parts;
    std::string rest = path.back() == '/' ? path.substr(0, path.size() - 1) : path;
    for (std::size_t slash; (slash = rest.find('/')) != std::string::npos;) {
        parts.push_back(rest.substr(0, slash));
        rest = rest.substr(slash + 1);
    }
    parts.push_back(rest);
    return parts;
}

std::string case_of(const std::string& name, char letter) {
    std::string out = name;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const bool raise = letter == 'u' || (letter == 't' && i == 0);
        char& c = out[i];
        if (raise && c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        if (!raise && c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return out;
}

std::string banner() {
    return "vorlane " VORLANE_VERSION
           "\nRename file(s) or directory(ies) to lower or upper register\n\n";
}

bool running_in_ci() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && std::string(ci) == "true";
}
