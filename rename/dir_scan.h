// The scan of one directory: renames the files it accepts and, in the
// recursive modes, descends into the subdirectories.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "rename/case_rename.h"

enum class ScanMode {
    FilesOnly,       // subdirectories are ignored
    RecursiveFiles,  // subdirectories are scanned too
    RecursiveAll,    // ... and every scanned directory is renamed as well
};

// A suffix mask such as "*.txt". A file passes it when the mask equals "*"
// followed by the file's name suffix, byte for byte.
using NameMask = std::optional<std::string_view>;

// Room for the saved working directory's path and its terminator.
inline constexpr std::size_t CWD_BUFFER_SIZE = 260;

// The part of a file name from its first dot to its end; empty without one.
std::string_view name_suffix(std::string_view name);
bool passes_mask(std::string_view name, NameMask mask);

// `directory` is overwritten with its converted form in RecursiveAll. A
// directory that cannot be opened, or a working directory whose path does not
// fit CWD_BUFFER_SIZE, ends the run with status 1.
void scan_directory(char* directory, ScanMode scan_mode, CaseMode case_mode, NameMask mask);
