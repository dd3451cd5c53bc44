#pragma once

#include "ByteText.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>

// Every text of a page is tried as a heading or a label, so the words these
// are known by are looked up without allocating and among the few of the
// same length.

// The longest word a table of normalised words may hold.
constexpr std::size_t LongestTableWord = 32;

// The character as a normalised word keeps it, in lower case, or 0 for one it
// drops.
inline constexpr auto wordCharacters = [] {
    std::array<char, 256> kept{};
    for (int c = 0; c < 256; ++c) {
        const char lower = asciiLower(static_cast<char>(c));
        if ((lower >= 'a' && lower <= 'z') || (lower >= '0' && lower <= '9') || lower == '#')
            kept[static_cast<std::size_t>(c)] = lower;
    }
    return kept;
}();

constexpr char wordCharacter(char c)
{
    return wordCharacters[static_cast<unsigned char>(c)];
}

// Normalised words and their meanings, sorted by length.
template <typename Meaning, std::size_t Count> class WordTable
{
public:
    constexpr explicit WordTable(const std::pair<std::string_view, Meaning> (&words)[Count])
    {
        std::copy(std::begin(words), std::end(words), m_words.begin());
        std::sort(m_words.begin(), m_words.end(), [](const auto& a, const auto& b) {
            return std::pair(a.first.size(), a.first) < std::pair(b.first.size(), b.first);
        });
        // A table built at compile time does not compile with a longer word.
        if (m_words.back().first.size() > LongestTableWord)
            throw std::length_error("a word longer than a table holds");
        for (std::size_t length = 0; length < m_firstOfLength.size(); ++length)
            m_firstOfLength[length] = static_cast<std::size_t>(
                std::count_if(m_words.begin(), m_words.end(),
                              [&](const auto& entry) { return entry.first.size() < length; }));
    }

    std::optional<Meaning> meaningOf(std::string_view word) const
    {
        if (word.size() > LongestTableWord)
            return std::nullopt;
        for (std::size_t i = m_firstOfLength[word.size()]; i < m_firstOfLength[word.size() + 1]; ++i) {
            if (m_words[i].first == word)
                return m_words[i].second;
        }
        return std::nullopt;
    }

private:
    std::array<std::pair<std::string_view, Meaning>, Count> m_words{};
    // Where the words of each length begin.
    std::array<std::size_t, LongestTableWord + 2> m_firstOfLength{};
};

// A text's normalised word, as normalisedWord gives it, optionally without
// what the text holds in brackets (as withoutBrackets leaves it), gathered in
// place. A word longer than any table's keeps one character more than those,
// and so is none of them.
class ShortWord
{
public:
    enum class Brackets
    {
        Kept,
        Dropped
    };

    ShortWord(std::string_view text, Brackets brackets);

    std::string_view view() const { return {m_chars.data(), m_size}; }

private:
    std::array<char, LongestTableWord + 1> m_chars;
    std::size_t m_size = 0;
};
