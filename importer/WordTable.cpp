#include "WordTable.h"

ShortWord::ShortWord(std::string_view text, Brackets brackets)
{
    int depth = 0;
    for (const char c : text) {
        if (const char kept = wordCharacter(c)) {
            if (depth != 0)
                continue;
            m_chars[m_size++] = kept;
            if (m_size == m_chars.size())
                return;
        } else if (brackets == Brackets::Kept) {
            continue;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')' && depth > 0) {
            --depth;
        }
    }
}
