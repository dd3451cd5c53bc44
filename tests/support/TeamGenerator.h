#pragma once

#include "MatchRecord.h"
#include "TTeam.h"
#include "TextEncoding.h"

#include <QString>
#include <cstdint>
#include <random>

struct GeneratedTeam
{
    TTeam team;
    MatchRecord record;
};

// Random teams for round-trip properties, all drawn from one seeded engine so a
// failing seed can be replayed. Texts are stored in the given encoding.
class TeamGenerator
{
public:
    TeamGenerator(std::uint32_t seed, TextEncoding encoding);

    // A team whose display a page carries whole: texts hold none of the
    // reader's keywords, no "|", "<", ">" or double quote, no surrounding
    // blanks and are never a lone "0"; numbers are whole numbers.
    GeneratedTeam plainTeam();

    // A text that may hold anything a cell can: mark-up, entities, the
    // reader's keywords, pipes, quotes, line breaks, blanks around it, a lone
    // "0", a long text and characters the encoding cannot hold.
    std::string hostileText();

    // Puts the keyword pairs of the count rules ("Rolls Reavers", "Fan
    // Factory", "Rating Kings") into some of the team's and players' texts.
    void addCountKeywords(TTeam& team);

private:
    int between(int low, int high);
    bool chance(int percent);
    QString text(int maxLength);
    QString faceName();
    std::string bytes(const QString& text) const;
    TPlayer player();
    MatchRecord matchRecord();
    std::string withKeyword(const std::string& text);

    std::mt19937 m_engine;
    TextEncoding m_encoding;
};
