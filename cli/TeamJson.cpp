#include "TeamJson.h"

#include "JsonWriter.h"

namespace {

class TeamJsonWriter
{
public:
    TeamJsonWriter(TextEncoding encoding, JsonWriter::Sink sink)
        : m_encoding(encoding), m_json(std::move(sink))
    {
    }

    void text(std::string_view key, std::string_view bytes) { m_json.value(key, utf8(bytes)); }
    void number(std::string_view key, std::int64_t value) { m_json.value(key, value); }
    void flag(std::string_view key, bool value) { m_json.value(key, value); }

    void player(const TPlayer& player)
    {
        m_json.beginObject();
        text("PlayerName", player.PlayerName);
        text("Position", player.Position);
        number("MA", player.MA);
        number("ST", player.ST);
        number("AG", player.AG);
        number("AV", player.AV);
        text("Skills", player.Skills);
        text("Injuries", player.Injuries);
        number("Completions", player.Completions);
        number("Touchdowns", player.Touchdowns);
        number("Interceptions", player.Interceptions);
        number("Casualties", player.Casualties);
        number("MVPs", player.MVPs);
        number("SPP", player.SPP);
        text("PlayerCost", player.PlayerCost);
        m_json.endObject();
    }

    void team(const TTeam& team)
    {
        text("TeamName", team.TeamName);
        text("Coach", team.Coach);
        text("Race", team.Race);
        number("FanFactor", team.FanFactor);
        number("ReRolls", team.ReRolls);
        number("TeamRating", team.TeamRating);
        m_json.beginArray("Players");
        for (const TPlayer& slot : team.Players)
            player(slot);
        m_json.endArray();
        text("Treasury", team.Treasury);
        text("TeamCost", team.TeamCost);
        number("AssistantCoaches", team.AssistantCoaches);
        number("Cheerleaders", team.Cheerleaders);
        flag("HasApothecary", team.HasApothecary);
        flag("HasWizard", team.HasWizard);
        text("ReRollPriceText", team.ReRollPriceText);
        text("ReRollCostText", team.ReRollCostText);
        text("FanFactorPriceText", team.FanFactorPriceText);
        text("FanFactorCostText", team.FanFactorCostText);
        text("AssistantCoachPriceText", team.AssistantCoachPriceText);
        text("AssistantCoachCostText", team.AssistantCoachCostText);
        text("CheerleaderPriceText", team.CheerleaderPriceText);
        text("CheerleaderCostText", team.CheerleaderCostText);
        text("ApothecaryPriceText", team.ApothecaryPriceText);
        text("ApothecaryCostText", team.ApothecaryCostText);
        text("WizardPriceText", team.WizardPriceText);
        text("WizardCostText", team.WizardCostText);
        number("BackgroundColor", team.BackgroundColor);
        number("TableColor", team.TableColor);
        number("HeadingsColor", team.HeadingsColor);
        number("TableFontColor", team.TableFontColor);
        text("TableFontName", team.TableFontName);
        number("HeadingFontColor", team.HeadingFontColor);
        text("HeadingFontName", team.HeadingFontName);
    }

    void matchRecord(const MatchRecord& record)
    {
        m_json.beginObject("MatchRecord");
        number("ColCount", record.ColCount);
        number("RowCount", record.RowCount);
        number("FixedRows", record.FixedRows);
        if (record.Height)
            number("Height", *record.Height);
        else
            m_json.null("Height");
        m_json.beginArray("Cells");
        // Every row lists all its columns, the ones the record does not store
        // as empty texts.
        // Once the text cannot be written, making the rest of it is wasted:
        // the rows can run to gigabytes.
        for (int row = 0; row < record.RowCount && !m_json.failed(); ++row) {
            m_json.beginArray({}, true);
            for (int col = 0; col < record.ColCount; ++col) {
                const std::string& cell = record.cell(col, row);
                if (cell.empty())
                    m_json.element({});
                else
                    m_json.element(utf8(cell));
            }
            m_json.endArray();
        }
        m_json.endArray();
        m_json.endObject();
    }

    JsonWriter& json() { return m_json; }

private:
    std::string utf8(std::string_view bytes) const
    {
        const QByteArray text = decodeText(bytes, m_encoding).toUtf8();
        return std::string(text.constData(), static_cast<std::size_t>(text.size()));
    }

    TextEncoding m_encoding;
    JsonWriter m_json;
};

} // namespace

namespace {

void writeDocument(TeamJsonWriter& writer, const TTeam& team, const MatchRecord& matchRecord,
                   const TeamJsonForm& form = {})
{
    writer.json().setCompact(form.oneLine);
    writer.json().beginObject();
    if (form.oneLine)
        writer.json().value("Page", form.pagePath);
    writer.team(team);
    writer.matchRecord(matchRecord);
    writer.json().endObject();
}

} // namespace

std::string teamJson(const TTeam& team, const MatchRecord& matchRecord, TextEncoding encoding)
{
    TeamJsonWriter writer(encoding, {});
    writeDocument(writer, team, matchRecord);
    return writer.json().text();
}

bool writeTeamJson(const TTeam& team, const MatchRecord& matchRecord, TextEncoding encoding,
                   const std::function<bool(std::string_view)>& sink, const TeamJsonForm& form)
{
    TeamJsonWriter writer(encoding, sink);
    writeDocument(writer, team, matchRecord, form);
    return writer.json().flush();
}
