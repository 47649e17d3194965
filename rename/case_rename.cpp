#include "rename/case_rename.h"

#include <cstring>

#include "report/report.h"

namespace {

constexpr char to_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
constexpr char to_upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

}  // namespace

void convert_case(std::string_view name, CaseMode mode, char* out) {
    std::size_t i = 0;
    if (mode == CaseMode::Upper) {
        for (; i < name.size(); ++i) out[i] = to_upper(name[i]);
        return;
    }
    if (mode == CaseMode::Title && !name.empty()) {
        out[0] = to_upper(name[0]);
        i = 1;
    }
    for (; i < name.size(); ++i) out[i] = to_lower(name[i]);
}

void rename_to_case(char* name, CaseMode mode, platform::DirCase& dir) {
    const std::size_t length = std::strlen(name);
    if (length > MAX_NAME_LENGTH) {
        print({"file or directory ", name, " has more then 80 symbols!\n"});
        exit_fatal();
    }
    char converted[MAX_NAME_LENGTH + 1];
    convert_case({name, length}, mode, converted);
    converted[length] = '\0';

    if (int error = platform::rename_no_replace(name, converted, dir)) {
        report_error("rename", error);
    } else {
        print({{name, length}, "\t renamed to ", {converted, length}, "\n"});
    }
    std::memcpy(name, converted, length);
}

void rename_to_case(char* name, CaseMode mode) {
    platform::DirCase unknown;
    rename_to_case(name, mode, unknown);
}
