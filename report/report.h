// Everything the tool writes: the running report on standard output and the
// error reports on standard error, kept in the order in which things happen.
#pragma once

#include <initializer_list>
#include <string_view>

// Standard output is written in large blocks when it is not a terminal.
void set_up_output();

// Writes the pieces one after another on standard output. A failure to write
// is reported and ends the run with status 1.
void print(std::initializer_list<std::string_view> pieces);

// "label: platform error text" on standard error.
void report_error(const char* label, int error);

[[noreturn]] void exit_fatal();
[[noreturn]] void exit_success();
