// The option word: which case form to rename to and which command form to run.
#pragma once

#include <optional>
#include <string_view>

#include "rename/case_rename.h"

enum class CommandForm {
    Files,           // "f", or no form letter: rename the named files
    DirectoryFiles,  // "d": rename the files of the named directories
    Directories,     // "D": rename the named directories themselves
    RecursiveFiles,  // "r": rename the files of the named trees
    RecursiveAll,    // "R": rename the files and directories of the named trees
};

struct Command {
    CaseMode case_mode;
    CommandForm form;
};

// The option word's letters are taken as a set; nullopt when the word is not
// usable and the usage text is due.
std::optional<Command> read_option_word(std::string_view word);
