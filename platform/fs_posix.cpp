#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/fs.h"
#include "platform/no_replace_rename.h"

namespace platform {
namespace {

int error_of(int result) { return result == 0 ? 0 : errno; }

int rename_exclusive(const char* from, const char* to) {
#ifdef RENAME_NOREPLACE
    return error_of(renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE));
#else
    (void)from;
    (void)to;
    return ENOSYS;
#endif
}

int rename_replacing(const char* from, const char* to) { return error_of(std::rename(from, to)); }

int lookup(const char* path, bool& found) {
    struct stat status;
    found = lstat(path, &status) == 0;
    return found || errno == ENOENT ? 0 : errno;
}

int listed_exactly(const char* path, bool& found) {
    std::string_view rest(path);
    while (rest.size() > 1 && rest.back() == '/') rest.remove_suffix(1);
    std::size_t slash = rest.rfind('/');
    std::string parent =
        slash == std::string_view::npos ? std::string(".") : std::string(rest.substr(0, slash + 1));
    std::string_view base = slash == std::string_view::npos ? rest : rest.substr(slash + 1);

    DIR* stream = opendir(parent.c_str());
    if (stream == nullptr) return errno;
    found = false;
    errno = 0;
    while (const dirent* entry = readdir(stream)) {
        if (base == entry->d_name) {
            found = true;
            break;
        }
    }
    int error = found ? 0 : errno;
    closedir(stream);
    return error;
}

unsigned long process_id() { return static_cast<unsigned long>(getpid()); }

constexpr RenamePrimitives POSIX_PRIMITIVES = {rename_exclusive, rename_replacing, lookup,
                                               listed_exactly, process_id};

DIR* stream_of(Directory* directory) { return reinterpret_cast<DIR*>(directory); }

EntryKind kind_of_type(unsigned char type) {
    switch (type) {
        case DT_DIR: return EntryKind::Directory;
        case DT_UNKNOWN: return EntryKind::Unknown;
        default: return EntryKind::Other;
    }
}

}  // namespace

int rename_no_replace(const char* from, const char* to, DirCase& dir) {
    return rename_no_replace_with(POSIX_PRIMITIVES, from, to, dir);
}

int open_directory(const char* name, bool follow_links, Directory*& directory) {
    int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (follow_links ? 0 : O_NOFOLLOW);
    int descriptor = open(name, flags);
    if (descriptor < 0) return errno;
    DIR* stream = fdopendir(descriptor);
    if (stream == nullptr) {
        int error = errno;
        close(descriptor);
        return error;
    }
    directory = reinterpret_cast<Directory*>(stream);
    return 0;
}

int enter_directory(Directory* directory) { return error_of(fchdir(dirfd(stream_of(directory)))); }

int read_directory(Directory* directory, Listing& listing) {
    DIR* stream = stream_of(directory);
    listing.names.clear();
    listing.entries.clear();
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(stream);
        if (entry == nullptr) return errno;
        std::size_t size = std::strlen(entry->d_name) + 1;
        std::size_t offset = listing.names.size();
        listing.names.resize(offset + size);
        std::memcpy(listing.names.data() + offset, entry->d_name, size);
        listing.entries.push_back(
            {static_cast<std::uint32_t>(offset), kind_of_type(entry->d_type)});
    }
}

int close_directory(Directory* directory) { return error_of(closedir(stream_of(directory))); }

int entry_kind(const char* name, EntryKind& kind) {
    struct stat status;
    if (lstat(name, &status) != 0) return errno;
    kind = S_ISDIR(status.st_mode) ? EntryKind::Directory : EntryKind::Other;
    return 0;
}

int save_working_directory(char* path_buffer, std::size_t size, SavedDirectory& saved) {
    if (getcwd(path_buffer, size) == nullptr) return errno;
#ifdef O_PATH
    constexpr int flags = O_PATH | O_DIRECTORY | O_CLOEXEC;
#else
    constexpr int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif
    saved.handle = open(".", flags);
    return saved.handle < 0 ? errno : 0;
}

int return_to(SavedDirectory& saved) {
    int error = error_of(fchdir(saved.handle));
    release(saved);
    return error;
}

void release(SavedDirectory& saved) {
    if (saved.handle >= 0) close(saved.handle);
    saved.handle = -1;
}

}  // namespace platform
