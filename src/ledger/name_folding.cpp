#include "ledger/name_folding.h"

#include <cstdint>

namespace {
// Full-width katakana for the half-width ones U+FF61..U+FF9F.
const char16_t wide_kana[] = u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";

// Narrow forms of the full-width signs U+FFE0..U+FFE6: ¢ £ ¬ ¯ ¦ ¥ ₩.
const char32_t wide_signs[] = {0xA2, 0xA3, 0xAC, 0xAF, 0xA6, 0xA5, 0x20A9};
}  // namespace

char32_t next_character(const std::string& text, size_t& at)
{
    const unsigned char lead = static_cast<unsigned char>(text[at++]);
    size_t length = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t value = length == 3 ? lead & 0x07 : length == 2 ? lead & 0x0F : length == 1 ? lead & 0x1F : lead;
    for (; length && at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80; --length)
        value = (value << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
    return value;
}

namespace {
void append_character(std::string& text, char32_t value)
{
    if (value < 0x80) {
        text += static_cast<char>(value);
    } else if (value < 0x800) {
        text += static_cast<char>(0xC0 | (value >> 6));
        text += static_cast<char>(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        text += static_cast<char>(0xE0 | (value >> 12));
        text += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (value & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (value >> 18));
        text += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (value & 0x3F));
    }
}

// The kana a voiced (゛) or semi-voiced (゜) mark makes of `kana`, or 0.
char32_t joined_kana(char32_t kana, char32_t mark)
{
    const bool voiced = mark == 0xFF9E, semi = mark == 0xFF9F;
    if (!voiced && !semi) return 0;
    if (kana >= 0x30CF && kana <= 0x30DD && (kana - 0x30CF) % 3 == 0) return kana + (voiced ? 1 : 2);  // ハ行
    if (!voiced) return 0;
    if (kana == 0x30A6) return 0x30F4;  // ヴ
    if (kana >= 0x30AB && kana <= 0x30C2 && (kana - 0x30AB) % 2 == 0) return kana + 1;  // カ行, サ行, タ and チ
    if (kana == 0x30C4 || kana == 0x30C6 || kana == 0x30C8) return kana + 1;  // ツ, テ, ト
    return 0;
}
}  // namespace

std::string folded_name(const std::string& name)
{
    std::u32string characters;
    for (size_t at = 0; at < name.size();) {
        char32_t c = next_character(name, at);
        if (c >= 0xFF01 && c <= 0xFF5E) c -= 0xFEE0;  // full-width ASCII
        if (c >= 0xFFE0 && c <= 0xFFE6) c = wide_signs[c - 0xFFE0];
        if (c == 0x3000 || c == '\t') c = ' ';
        if (c >= 0xFF61 && c <= 0xFF9F) {
            if (!characters.empty()) {
                if (char32_t joined = joined_kana(characters.back(), c)) {
                    characters.back() = joined;
                    continue;
                }
            }
            c = wide_kana[c - 0xFF61];
        }
        if (c == ' ' && (characters.empty() || characters.back() == ' ')) continue;
        characters += c;
    }
    if (!characters.empty() && characters.back() == ' ') characters.pop_back();
    std::string folded;
    for (char32_t c : characters) append_character(folded, c);
    return folded;
}

void count_spelling(SpellingCount& count, const std::string& spelling)
{
    for (size_t i = 0; i < count.spellings.size(); ++i)
        if (count.spellings[i] == spelling) {
            ++count.uses[i];
            return;
        }
    count.spellings.push_back(spelling);
    count.uses.push_back(1);
}

bool count_known_spelling(SpellingPlaces& places, std::vector<SpellingCount>& rows, const std::string& spelling,
                          size_t* row)
{
    auto seen = places.find(spelling);
    if (seen == places.end()) return false;
    ++rows[seen->second.row].uses[seen->second.spelling];
    *row = seen->second.row;
    return true;
}

void count_new_spelling(SpellingPlaces& places, std::vector<SpellingCount>& rows, size_t row,
                        const std::string& spelling)
{
    count_spelling(rows[row], spelling);
    places.emplace(spelling, SpellingPlace{row, rows[row].spellings.size() - 1});
}

const std::string& most_used_spelling(const SpellingCount& count)
{
    static const std::string none;
    size_t best = 0;
    for (size_t i = 1; i < count.uses.size(); ++i)
        if (count.uses[i] > count.uses[best]) best = i;
    return count.spellings.empty() ? none : count.spellings[best];
}
