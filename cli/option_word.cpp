#include "cli/option_word.h"

namespace {

struct FormLetter {
    char letter;
    CommandForm form;
};

// In priority order: the first of these found anywhere in the word wins.
constexpr FormLetter FORM_LETTERS[] = {
    {'r', CommandForm::RecursiveFiles}, {'R', CommandForm::RecursiveAll},
    {'d', CommandForm::DirectoryFiles}, {'D', CommandForm::Directories},
    {'f', CommandForm::Files},
};

}  // namespace

std::optional<Command> read_option_word(std::string_view word) {
    if (word.empty() || word.front() != '-') return std::nullopt;
    const auto has = [word](char letter) { return word.find(letter) != std::string_view::npos; };
    const bool lower = has('l'), upper = has('u'), title = has('t');
    if (!(lower || upper || title) || (lower && upper)) return std::nullopt;

    Command command{lower   ? CaseMode::Lower
                    : upper ? CaseMode::Upper
                            : CaseMode::Title,
                    CommandForm::Files};
    for (const FormLetter& candidate : FORM_LETTERS) {
        if (has(candidate.letter)) {
            command.form = candidate.form;
            break;
        }
    }
    return command;
}
