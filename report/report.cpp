#include "report/report.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr std::size_t OUTPUT_BUFFER_SIZE = 1 << 16;

[[noreturn]] void exit_after_write_failure(int error) {
    if (error == 0) error = EIO;
    std::fprintf(stderr, "write: %s\n", std::strerror(error));
    // The buffered report cannot be written; leave without trying again.
    std::_Exit(EXIT_FAILURE);
}

// Everything printed so far reaches standard output before anything is
// written to standard error, so a combined log keeps the order of events.
void flush_output() {
    if (std::fflush(stdout) != 0) exit_after_write_failure(errno);
}

}  // namespace

void set_up_output() {
    if (!isatty(STDOUT_FILENO)) std::setvbuf(stdout, nullptr, _IOFBF, OUTPUT_BUFFER_SIZE);
}

void print(std::initializer_list<std::string_view> pieces) {
    for (std::string_view piece : pieces) {
        if (fwrite_unlocked(piece.data(), 1, piece.size(), stdout) != piece.size()) {
            exit_after_write_failure(errno);
        }
    }
}

void report_error(const char* label, int error) {
    flush_output();
    std::fprintf(stderr, "%s: %s\n", label, std::strerror(error));
}

void exit_fatal() {
    flush_output();
    std::exit(EXIT_FAILURE);
}

void exit_success() {
    flush_output();
    std::exit(EXIT_SUCCESS);
}
