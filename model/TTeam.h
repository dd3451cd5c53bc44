#pragma once

#include <array>
#include <cstdint>
#include <string>

// A colour value: red in the low byte, green in the second, blue in the third.
// Window colours may also hold a system colour reference (high byte 0x80).
using TColor = std::uint32_t;

// The system's window-text colour: the table text's colour before any page is shown.
inline constexpr TColor WindowTextSystemColor = 0x80000008;

// The face of the window's fonts and of a new team's table and heading.
inline constexpr const char* DefaultFaceName = "MS Sans Serif";

// Texts of the record are byte strings, one byte per character, exactly as
// the page held them; they are decoded only where they are shown.
struct TPlayer
{
    std::string PlayerName;
    std::string Position;
    std::int32_t MA = 0;
    std::int32_t ST = 0;
    std::int32_t AG = 0;
    std::int32_t AV = 0;
    std::string Skills;
    std::string Injuries;
    std::int32_t Completions = 0;
    std::int32_t Touchdowns = 0;
    std::int32_t Interceptions = 0;
    std::int32_t Casualties = 0;
    std::int32_t MVPs = 0;
    std::int32_t SPP = 0;
    std::string PlayerCost;

    // A slot whose MA is 0 holds no player.
    bool isEmpty() const { return MA == 0; }

    bool operator==(const TPlayer&) const = default;
};

constexpr int PlayerSlotCount = 16;

// Player slots are numbered 1 to 16; slot n is stored at index n - 1.
class TPlayerSlots
{
public:
    TPlayer& operator[](int slot) { return m_slots.at(static_cast<std::size_t>(slot - 1)); }
    const TPlayer& operator[](int slot) const { return m_slots.at(static_cast<std::size_t>(slot - 1)); }

    auto begin() { return m_slots.begin(); }
    auto end() { return m_slots.end(); }
    auto begin() const { return m_slots.begin(); }
    auto end() const { return m_slots.end(); }

    bool operator==(const TPlayerSlots&) const = default;

private:
    std::array<TPlayer, PlayerSlotCount> m_slots{};
};

struct TTeam
{
    std::string TeamName;
    std::string Coach;
    std::string Race;
    std::int32_t FanFactor = 0;
    std::int32_t ReRolls = 0;
    std::int32_t TeamRating = 0;
    TPlayerSlots Players;
    std::string Treasury;
    std::string TeamCost;
    std::int32_t AssistantCoaches = 0;
    std::int32_t Cheerleaders = 0;
    bool HasApothecary = false;
    bool HasWizard = false;
    std::string ReRollPriceText;
    std::string ReRollCostText;
    std::string FanFactorPriceText;
    std::string FanFactorCostText;
    std::string AssistantCoachPriceText;
    std::string AssistantCoachCostText;
    std::string CheerleaderPriceText;
    std::string CheerleaderCostText;
    std::string ApothecaryPriceText;
    std::string ApothecaryCostText;
    std::string WizardPriceText;
    std::string WizardCostText;
    TColor BackgroundColor = 0;
    TColor TableColor = 0;
    TColor HeadingsColor = 0;
    TColor TableFontColor = 0;
    std::string TableFontName;
    TColor HeadingFontColor = 0;
    std::string HeadingFontName;

    bool operator==(const TTeam&) const = default;
};

// The record File, New starts from.
TTeam newTeam();

// Sets every field to its new-team value and empties all sixteen slots.
void resetToNewTeam(TTeam& team);

// The one long-lived record; it starts with every field zero, false or empty.
extern TTeam CurrentTeam;
