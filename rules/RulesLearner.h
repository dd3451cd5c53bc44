#pragma once

#include "LeagueRules.h"
#include "RosterSheet.h"

#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <vector>

// Learns a league's rules from its roster pages: the races, each race's
// positions with the profile, starting skills and cost most of its new
// players show (players without SPP or injuries; where a position has none,
// every player of it, with his advances and injuries taken back, his lowest
// cost and the skills all of them share), the most of a position any one
// team fields, the re-roll price of each race and the staff prices, and every
// skill seen, of category "unknown". What only the league knows (categories,
// advancement, team rating, which race may hire whom) is left for it to fill in.
class RulesLearner
{
public:
    RulesLearner();
    ~RulesLearner();
    RulesLearner(const RulesLearner&) = delete;
    RulesLearner& operator=(const RulesLearner&) = delete;

    // page names the roster in the conflicts.
    void addRoster(const RosterSheet& sheet, const QString& page);

    LeagueRules rules(const QString& league) const;

    // Where the pages disagree, one sentence each naming the pages and what
    // was taken: "Dwarf Longbeard: cost 70k (a.htm, b.htm) or 60k (c.htm); 70k taken".
    QStringList conflicts() const;

private:
    struct Learned;
    std::unique_ptr<Learned> m_learned;
};
