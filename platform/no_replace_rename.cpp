#include "platform/no_replace_rename.h"

#include <cerrno>
#include <cstring>
#include <string>

namespace platform {
namespace {

constexpr unsigned TEMPORARY_NAME_ATTEMPTS = 100;

char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool same_but_ascii_case(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (ascii_lower(*a) != ascii_lower(*b)) return false;
    }
    return *a == *b;
}

// A rename to a name that can only be another entry's, never this one's.
int rename_to_free_name(const RenamePrimitives& fs, const char* from, const char* to,
                        DirCase& dir) {
    if (!dir.no_replace_refused) {
        int error = fs.rename_exclusive(from, to);
        if (!refuses_no_replace(error)) return error;
        dir.no_replace_refused = true;
    }
    // No exclusive rename here: look, then rename. An entry that another
    // process creates under `to` in the instant between these two calls would
    // be replaced; this process itself never creates one there.
    bool found = false;
    if (int error = fs.lookup(to, found)) return error;
    if (found) return EEXIST;
    return fs.rename_replacing(from, to);
}

std::size_t directory_part_length(const char* path) {
    const char* slash = std::strrchr(path, '/');
    return slash == nullptr ? 0 : static_cast<std::size_t>(slash - path) + 1;
}

// For a file system that accepts a case-only rename but keeps the old
// spelling: move the entry aside under a fresh name, then to the new one.
int rename_through_temporary(const RenamePrimitives& fs, const char* from, const char* to,
                             DirCase& dir) {
    std::string temporary(from, directory_part_length(from));
    temporary += ".vorlane-" + std::to_string(fs.process_id()) + "-";
    const std::size_t stem = temporary.size();
    int error = EEXIST;
    for (unsigned attempt = 0; attempt < TEMPORARY_NAME_ATTEMPTS && error == EEXIST; ++attempt) {
        temporary.resize(stem);
        temporary += std::to_string(attempt);
        error = rename_to_free_name(fs, from, temporary.c_str(), dir);
    }
    if (error != 0) return error;
    error = rename_to_free_name(fs, temporary.c_str(), to, dir);
    if (error != 0) rename_to_free_name(fs, temporary.c_str(), from, dir);
    return error;
}

// `to` names `from` itself in another case, in a directory whose lookups
// ignore case, so replacing cannot touch any other entry.
int rename_own_case(const RenamePrimitives& fs, const char* from, const char* to, DirCase& dir) {
    if (dir.stores_case == 0) return rename_through_temporary(fs, from, to, dir);
    if (int error = fs.rename_replacing(from, to)) return error;
    if (dir.stores_case == -1) {
        bool listed = false;
        if (int error = fs.listed_exactly(to, listed)) return error;
        dir.stores_case = listed ? 1 : 0;
        if (!listed) return rename_through_temporary(fs, from, to, dir);
    }
    return 0;
}

bool names_an_entry(const char* path) {
    std::size_t length = std::strlen(path);
    while (length > 0 && path[length - 1] == '/') --length;
    return length > 0;
}

}  // namespace

bool refuses_no_replace(int error) {
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

int rename_no_replace_with(const RenamePrimitives& fs, const char* from, const char* to,
                           DirCase& dir) {
    // Onto its own name: nothing else can be replaced, and the call still
    // tells whether the entry is there.
    if (std::strcmp(from, to) == 0) return fs.rename_replacing(from, to);
    if (!same_but_ascii_case(from, to)) return rename_to_free_name(fs, from, to, dir);

    if (dir.folds_case != 1) {
        int error = rename_to_free_name(fs, from, to, dir);
        if (error != EEXIST || dir.folds_case == 0) return error;
        // Something answers to the new name: another entry, or, where lookups
        // ignore case, this very one. Only the directory's own list tells.
        bool listed = true;
        if (names_an_entry(to)) {
            if (int list_error = fs.listed_exactly(to, listed)) return list_error;
        }
        dir.folds_case = listed ? 0 : 1;
        if (listed) return EEXIST;
    }
    return rename_own_case(fs, from, to, dir);
}

}  // namespace platform
