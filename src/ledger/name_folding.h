// Names people type for the same place or machine in different widths
// (ＡＢＣ会館, ABC会館, ｱｲｳ and アイウ) are one name: compared by their folded
// form, shown in the spelling most of their uses have.
#pragma once
#include <string>
#include <vector>

// UTF-8 in and out: full-width ASCII letters, digits and signs as
// half-width, half-width katakana as full-width (a voiced mark joined to
// its kana), the ideographic space as a space, runs of spaces as one, no
// space at either end.
std::string folded_name(const std::string& name);

// Counts the spellings of one folded name and picks the one used most,
// the earliest seen on a tie.
struct SpellingCount {
    std::vector<std::string> spellings;
    std::vector<int> uses;
};
void count_spelling(SpellingCount& count, const std::string& spelling);
const std::string& most_used_spelling(const SpellingCount& count);
