#include "rename/dir_scan.h"

#include "report/report.h"

namespace {

// The tool's own executable, which a scan leaves alone.
constexpr std::string_view SELF_NAME = "vorlane.exe";

struct Scan {
    ScanMode scan_mode;
    CaseMode case_mode;
    NameMask mask;
};

void scan(char* directory, const Scan& how, bool found_by_scan, platform::DirCase& parent);

// Step 6 of a scan: every entry of the working directory, in listing order.
void handle_entries(platform::Listing& listing, const Scan& how) {
    platform::DirCase here;
    for (const platform::Listing::Entry& entry : listing.entries) {
        char* name = listing.name(entry);
        // The entry's status: from the listing where it says, by a call only
        // where it does not. A link is never followed.
        platform::EntryKind kind = entry.kind;
        if (kind == platform::EntryKind::Unknown) {
            if (int error = platform::entry_kind(name, kind)) {
                report_error("stat", error);
                continue;
            }
        }
        // The directory itself and its parent.
        const std::string_view bare(name);
        if (bare == "." || bare == "..") continue;
        // Subdirectories: entered in the recursive modes only.
        if (kind == platform::EntryKind::Directory) {
            if (how.scan_mode != ScanMode::FilesOnly) scan(name, how, true, here);
            continue;
        }
        // Everything else is a file candidate.
        if (bare == SELF_NAME || !passes_mask(bare, how.mask)) continue;
        rename_to_case(name, how.case_mode, here);
    }
}

void scan(char* directory, const Scan& how, bool found_by_scan, platform::DirCase& parent) {
    // 1. Opening line.
    print({"+ Rename files in directory: '", directory, "' +\n"});

    // 2. Open it. A directory the scan found itself is opened only if it still is one,
    // not a link put in its place.
    platform::Directory* opened = nullptr;
    if (int error = platform::open_directory(directory, !found_by_scan, opened)) {
        report_error("Unable to open directory", error);
        exit_fatal();
    }

    // 3. In RecursiveAll, rename the directory itself.
    if (how.scan_mode == ScanMode::RecursiveAll) rename_to_case(directory, how.case_mode, parent);

    // 4. Save the way back.
    char saved_path[CWD_BUFFER_SIZE];
    platform::SavedDirectory saved;
    if (int error = platform::save_working_directory(saved_path, sizeof saved_path, saved)) {
        report_error("getcwd", error);
        exit_fatal();
    }

    // 5. Enter the directory that was opened, whatever its name now leads to.
    if (int error = platform::enter_directory(opened)) {
        report_error("chdir", error);
        platform::release(saved);
        platform::close_directory(opened);
        return;
    }

    // 6. The entries are read in full first: renames may reorder the
    // enumeration, and no entry must be handled twice.
    platform::Listing listing;
    if (int error = platform::read_directory(opened, listing)) {
        report_error("Unable to read directory", error);
    }
    handle_entries(listing, how);

    // 7. Return.
    if (int error = platform::return_to(saved)) report_error("chdir", error);

    // 8. Release the enumeration.
    if (int error = platform::close_directory(opened)) {
        report_error("Unable to close directory", error);
    }

    // 9. Closing line, with the name as it now is.
    print({"- '", directory, "' is scaned -\n"});
}

}  // namespace

std::string_view name_suffix(std::string_view name) {
    const std::size_t dot = name.find('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

bool passes_mask(std::string_view name, NameMask mask) {
    if (!mask) return true;
    const std::string_view suffix = name_suffix(name);
    return mask->size() == suffix.size() + 1 && mask->front() == '*' && mask->substr(1) == suffix;
}

void scan_directory(char* directory, ScanMode scan_mode, CaseMode case_mode, NameMask mask) {
    platform::DirCase unknown;
    scan(directory, Scan{scan_mode, case_mode, mask}, false, unknown);
}
