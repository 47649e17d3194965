// Writes a benchmark tree quickly: DIRECTORIES directories of FILES empty
// files each below TOP (with 0 directories, the files lie in TOP itself),
// every name in upper or lower case.
//
//     vorlane_make_tree TOP DIRECTORIES FILES upper|lower
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string cased(std::string name, bool upper) {
    for (char& c : name) {
        if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    }
    return name;
}

void make_files(const std::string& directory, long files, bool upper) {
    if (mkdir(directory.c_str(), 0755) != 0) {
        std::perror(directory.c_str());
        std::exit(1);
    }
    int parent = open(directory.c_str(), O_RDONLY | O_DIRECTORY);
    char name[32];
    for (long f = 0; f < files; ++f) {
        std::snprintf(name, sizeof name, "file-%06ld.txt", f);
        int file = openat(parent, cased(name, upper).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (file < 0) {
            std::perror(name);
            std::exit(1);
        }
        close(file);
    }
    close(parent);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s TOP DIRECTORIES FILES upper|lower\n", argv[0]);
        return 2;
    }
    const std::string top = argv[1];
    const long directories = std::atol(argv[2]), files = std::atol(argv[3]);
    const bool upper = std::strcmp(argv[4], "upper") == 0;
    if (directories == 0) {
        make_files(top, files, upper);
        return 0;
    }
    if (mkdir(top.c_str(), 0755) != 0) {
        std::perror(top.c_str());
        return 1;
    }
    char name[32];
    for (long d = 0; d < directories; ++d) {
        std::snprintf(name, sizeof name, "/dir-%03ld", d);
        make_files(top + cased(name, upper), files, upper);
    }
    return 0;
}
