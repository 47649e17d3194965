// The least work a case renamer can do on a tree: read each directory and
// issue one no-replace rename per file, lowering its name. No output, no
// checks. The benchmark measures vorlane against this.
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

void lower_tree(int parent, const char* name, bool lower_directories) {
    int descriptor = openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0) return;
    DIR* stream = fdopendir(descriptor);
    if (stream == nullptr) return;
    std::vector<std::pair<std::string, bool>> entries;
    while (const dirent* entry = readdir(stream)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
        entries.emplace_back(entry->d_name, entry->d_type == DT_DIR);
    }
    for (auto& [entry, is_directory] : entries) {
        std::string lowered = entry;
        for (char& c : lowered) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
        if (is_directory) {
            lower_tree(descriptor, entry.c_str(), lower_directories);
            if (!lower_directories) continue;
        }
        renameat2(descriptor, entry.c_str(), descriptor, lowered.c_str(), RENAME_NOREPLACE);
    }
    closedir(stream);
}

}  // namespace

int main(int argc, char** argv) {
    // floor [-R] directory...: -R lowers the directories too.
    bool lower_directories = argc > 1 && std::strcmp(argv[1], "-R") == 0;
    for (int i = lower_directories ? 2 : 1; i < argc; ++i) {
        lower_tree(AT_FDCWD, argv[i], lower_directories);
    }
    return 0;
}
