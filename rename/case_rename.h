// Case conversion of a name, and the one place where an entry is renamed.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/fs.h"

enum class CaseMode { Lower, Upper, Title };

// The longest name, in bytes, that rename_to_case accepts.
inline constexpr std::size_t MAX_NAME_LENGTH = 80;

// Writes the converted form of `name` to `out`, which has room for
// name.size() bytes. Only the ASCII letters change; every other byte is kept.
void convert_case(std::string_view name, CaseMode mode, char* out);

// Renames the entry `name` to its converted form and reports the outcome.
// `name` is overwritten with the converted form whether or not the rename
// succeeded. A name longer than MAX_NAME_LENGTH ends the run with status 1.
// `dir` carries what is known about the directory the name lies in.
void rename_to_case(char* name, CaseMode mode, platform::DirCase& dir);
void rename_to_case(char* name, CaseMode mode);
