// The process entry: banner, option word, and one call into the renamer per
// target, in command-line order.
#include <cstring>
#include <span>

#include "cli/option_word.h"
#include "rename/case_rename.h"
#include "rename/dir_scan.h"
#include "report/report.h"

namespace {

constexpr std::string_view BANNER = "vorlane " VORLANE_VERSION
                                    "\n"
                                    "Rename file(s) or directory(ies) to lower or upper register\n"
                                    "\n";

constexpr std::string_view USAGE =
    "usage:\n"
    "    vorlane -{l|u|t}[f] filename - rename file(s)\n"
    "    vorlane -{l|u|t} *\t\t - rename file(s) in current directory\n"
    "    vorlane -{l|u|t}d dirname(s) - rename file(s) in directory(ies)\n"
    "    vorlane -{l|u|t}D dirname(s) - rename directory(ies)\n"
    "    vorlane -{l|u|t}r dirname(s) - recursive rename file(s) in directory(ies)\n"
    "    vorlane -{l|u|t}R dirname(s) - recursive rename file(s) and directory(ies)\n"
    "\n"
    "\tl - to lower register;\n"
    "\tu - to upper register;\n"
    "\tt - first letter to upper register, other to lower register\n"
    "\n";

ScanMode scan_mode_of(CommandForm form) {
    switch (form) {
        case CommandForm::RecursiveFiles: return ScanMode::RecursiveFiles;
        case CommandForm::RecursiveAll: return ScanMode::RecursiveAll;
        default: return ScanMode::FilesOnly;
    }
}

void scan_current_directory(ScanMode scan_mode, CaseMode case_mode, NameMask mask) {
    char current[] = ".";
    scan_directory(current, scan_mode, case_mode, mask);
}

void dispatch(const Command& command, std::span<char*> targets) {
    const std::string_view first = targets.front();
    const ScanMode scan_mode = scan_mode_of(command.form);
    const bool names_directories =
        command.form == CommandForm::DirectoryFiles || command.form == CommandForm::Directories;

    if (first == "*") {
        if (names_directories) {
            print({"need dirname(s)\n"});
        } else {
            scan_current_directory(scan_mode, command.case_mode, std::nullopt);
        }
        return;
    }

    if (first.find("*.") != std::string_view::npos) {
        const std::span<char*> further = targets.subspan(1);
        if (further.empty() && command.form == CommandForm::Files) {
            scan_current_directory(ScanMode::FilesOnly, command.case_mode, first);
        }
        for (char* directory : further) {
            scan_directory(directory, scan_mode, command.case_mode, first);
        }
        return;
    }

    for (char* target : targets) {
        if (command.form == CommandForm::Files || command.form == CommandForm::Directories) {
            rename_to_case(target, command.case_mode);
        } else {
            scan_directory(target, scan_mode, command.case_mode, std::nullopt);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    set_up_output();
    print({BANNER});

    std::optional<Command> command;
    if (argc >= 3) command = read_option_word(argv[1]);
    if (!command) {
        print({USAGE});
        exit_success();
    }
    dispatch(*command, std::span<char*>(argv + 2, static_cast<std::size_t>(argc - 2)));
    exit_success();
}
