// The operating-system calls the renamer needs, behind one narrow interface:
// renaming without replacing, reading a directory, and moving between
// directories. Calls return 0 or the platform's error code and print nothing;
// the caller decides what to report and what is fatal.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// What has been learned about how one directory treats letter case. Each
// fact is learned at most once per directory, by the first rename that needs
// it, so a directory of N entries costs O(N) however many of them change.
struct DirCase {
    signed char folds_case = -1;      // name lookups ignore case: -1 unknown, 0, 1
    signed char stores_case = -1;     // a case-only rename keeps the new spelling
    bool no_replace_refused = false;  // the file system rejects the no-replace flag
};

// Renames `from` to `to`, never replacing another entry. A rename of an entry
// onto its own name, or onto its own name in another case on a file system
// that ignores case, succeeds and stores the new spelling.
int rename_no_replace(const char* from, const char* to, DirCase& dir);

enum class EntryKind : std::uint8_t { Unknown, Directory, Other };

// A directory's entries, read in full before any is handled: names packed
// one after another, each ending in a NUL, and modifiable in place.
struct Listing {
    struct Entry {
        std::uint32_t offset;
        EntryKind kind;
    };
    std::vector<char> names;
    std::vector<Entry> entries;

    char* name(const Entry& entry) { return names.data() + entry.offset; }
};

struct Directory;  // an open directory; its layout is the platform's

// Opens a directory for reading. With follow_links false a symbolic link is
// refused rather than followed.
int open_directory(const char* name, bool follow_links, Directory*& directory);
// Makes the open directory the working directory.
int enter_directory(Directory* directory);
// Reads every entry; the kind is Unknown where the enumeration does not tell.
int read_directory(Directory* directory, Listing& listing);
int close_directory(Directory* directory);

// The status of an entry by name, without following a symbolic link.
int entry_kind(const char* name, EntryKind& kind);

// The working directory to come back to. It is held as a handle as well as
// checked by path, so the way back survives a rename of a directory on the
// path.
struct SavedDirectory {
    int handle = -1;
};
// Fails when the path of the working directory does not fit `path_buffer`.
int save_working_directory(char* path_buffer, std::size_t size, SavedDirectory& saved);
int return_to(SavedDirectory& saved);
void release(SavedDirectory& saved);

}  // namespace platform
