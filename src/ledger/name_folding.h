// Names people type for the same place or machine in different widths
// (ＡＢＣ会館, ABC会館, ｱｲｳ and アイウ) are one name: compared by their folded
// form, shown in the spelling most of their uses have.
#pragma once
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

// Decodes the UTF-8 character at `at` and steps past it (a broken byte
// stands for itself).
char32_t next_character(const std::string& text, size_t& at);

// UTF-8 in and out: full-width ASCII letters, digits and signs (and
// ￠￡￢￣￤￥￦) as half-width, half-width katakana as full-width (a voiced mark joined to
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

// Where each spelling met in a walk over many names is counted (its row
// and its place among that row's spellings), so a name met again is
// neither folded nor searched for.
struct SpellingPlace {
    size_t row;
    size_t spelling;
};
typedef std::unordered_map<std::string, SpellingPlace> SpellingPlaces;
// Counts one more use of a spelling met before and gives its row; false
// for a new one, which is then counted with count_new_spelling.
bool count_known_spelling(SpellingPlaces& places, std::vector<SpellingCount>& rows, const std::string& spelling,
                          size_t* row);
void count_new_spelling(SpellingPlaces& places, std::vector<SpellingCount>& rows, size_t row,
                        const std::string& spelling);
