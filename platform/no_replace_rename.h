// A rename that never replaces another entry, built from a few primitive
// calls so that file systems this machine cannot mount can be played by tests.
#pragma once

#include "platform/fs.h"

namespace platform {

struct RenamePrimitives {
    // Renames only when nothing answers to `to` (EEXIST otherwise); a file
    // system may refuse the request itself (see refuses_no_replace).
    int (*rename_exclusive)(const char* from, const char* to);
    // Renames, replacing whatever answers to `to`.
    int (*rename_replacing)(const char* from, const char* to);
    // Whether looking `path` up finds an entry, in whatever spelling.
    int (*lookup)(const char* path, bool& found);
    // Whether the directory holding `path` lists its last part byte for byte.
    int (*listed_exactly)(const char* path, bool& found);
    // Makes temporary names unique between processes.
    unsigned long (*process_id)();
};

// The errors by which a file system says it has no exclusive rename.
bool refuses_no_replace(int error);

int rename_no_replace_with(const RenamePrimitives& fs, const char* from, const char* to,
                           DirCase& dir);

}  // namespace platform
