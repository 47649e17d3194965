#include "cli/option_word.h"

#include <gtest/gtest.h>

namespace {

struct OptionCase {
    const char* word;
    bool usable;
    CaseMode case_mode;
    CommandForm form;
};

constexpr OptionCase OPTION_WORDS[] = {
    {"-l", true, CaseMode::Lower, CommandForm::Files},
    {"-u", true, CaseMode::Upper, CommandForm::Files},
    {"-t", true, CaseMode::Title, CommandForm::Files},
    {"-lf", true, CaseMode::Lower, CommandForm::Files},
    {"-ld", true, CaseMode::Lower, CommandForm::DirectoryFiles},
    {"-uD", true, CaseMode::Upper, CommandForm::Directories},
    {"-tr", true, CaseMode::Title, CommandForm::RecursiveFiles},
    {"-tR", true, CaseMode::Title, CommandForm::RecursiveAll},
    // Letters are a set: position and repetition do not matter.
    {"-Rl", true, CaseMode::Lower, CommandForm::RecursiveAll},
    {"-llll", true, CaseMode::Lower, CommandForm::Files},
    // A case letter beside "t" wins over it.
    {"-tu", true, CaseMode::Upper, CommandForm::Files},
    {"-lt", true, CaseMode::Lower, CommandForm::Files},
    // Form letters by priority r, R, d, D, f, not by position.
    {"-ldr", true, CaseMode::Lower, CommandForm::RecursiveFiles},
    {"-lDd", true, CaseMode::Lower, CommandForm::DirectoryFiles},
    {"-lfR", true, CaseMode::Lower, CommandForm::RecursiveAll},
    {"-lfD", true, CaseMode::Lower, CommandForm::Directories},
    {"-lRr", true, CaseMode::Lower, CommandForm::RecursiveFiles},
    // Other characters are ignored; letters are case-sensitive.
    {"-lx", true, CaseMode::Lower, CommandForm::Files},
    {"-LUl", true, CaseMode::Lower, CommandForm::Files},
    {"--l", true, CaseMode::Lower, CommandForm::Files},
    // Unusable words.
    {"l", false, {}, {}},
    {"lr-", false, {}, {}},
    {"", false, {}, {}},
    {"-", false, {}, {}},
    {"-r", false, {}, {}},
    {"-LUT", false, {}, {}},
    {"-lu", false, {}, {}},
    {"-ultrR", false, {}, {}},
};

TEST(OptionWord, TableOfWords) {
    for (const OptionCase& c : OPTION_WORDS) {
        SCOPED_TRACE(c.word);
        const std::optional<Command> command = read_option_word(c.word);
        ASSERT_EQ(command.has_value(), c.usable);
        if (!c.usable) continue;
        EXPECT_EQ(command->case_mode, c.case_mode);
        EXPECT_EQ(command->form, c.form);
    }
}

}  // namespace
