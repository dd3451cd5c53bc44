#include "RosterReading.h"

#include "Errors.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

namespace {

std::string sampleBytes()
{
    QFile file(QStringLiteral(TE_SOURCE_DIR "/examples/sample-roster.htm"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// A roster table as another tool writes it: its headings name the fields, but
// no line holds the keywords the reader looks for.
const std::string otherToolPage = "<html><head><title>Iron Chefs</title></head><body><table>\n"
                                  "<tr><th>No.</th><th>Name</th><th>Position</th><th>MA</th><th>ST</th>"
                                  "<th>AG</th><th>AV</th></tr>\n"
                                  "<tr><td>1</td><td>Kaga</td><td>Blitzer</td><td>7</td><td>3</td><td>3</td>"
                                  "<td>8</td></tr>\n"
                                  "<tr><td>2</td><td>Okada</td><td>Lineman</td><td>6</td><td>3</td><td>3</td>"
                                  "<td>8</td></tr>\n</table></body></html>\n";

enum class Outcome
{
    Roster,
    OtherTool,
    NoRoster
};

} // namespace

TEST(RosterReading, TellsRostersFromOtherToolsPagesAndFromNoRosterAtAll)
{
    const std::string sample = sampleBytes();
    ASSERT_FALSE(sample.empty());
    const std::string ownFirstLine = sample.substr(0, sample.find('\n') + 1);
    const std::string withoutFirstLines = sample.substr(sample.find("<HTML>"));
    const struct
    {
        const char* name;
        std::string bytes;
        bool importerCanReadTheFile;
        Outcome outcome;
        int players; // of the roster read, or of the import
    } cases[] = {
        {"own page", sample, true, Outcome::Roster, 11},
        {"another tool's page", otherToolPage, true, Outcome::OtherTool, 2},
        // This program's first line settles it: the importer is never asked.
        {"another tool's page behind our first line", ownFirstLine + otherToolPage, true, Outcome::NoRoster,
         0},
        // The importer finds the same players and name: the reader's roster stands.
        {"own page without its first lines", withoutFirstLines, true, Outcome::Roster, 11},
        {"a title alone", "<html><head><title>Orcs</title></head></html>", true, Outcome::NoRoster, 0},
        // An importer that fails never fails a page the reader could read.
        {"a hand-made page the importer cannot open", "<TITLE>Orcs</TITLE>\nRace: Orc<BR>\n", false,
         Outcome::Roster, 0},
    };
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = QFile::encodeName(folder.filePath(QStringLiteral("page.htm"))).toStdString();
        QFile::remove(QString::fromStdString(path));
        if (c.importerCanReadTheFile) {
            QFile file(QString::fromStdString(path));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.bytes.data(), static_cast<qint64>(c.bytes.size()));
        }
        std::optional<RosterReading> reading;
        try {
            reading = readAsRoster(splitPageBytes(c.bytes), path);
        } catch (const ENotRosterPage&) {
        }
        ASSERT_EQ(reading.has_value(), c.outcome != Outcome::NoRoster);
        if (!reading)
            continue;
        EXPECT_EQ(reading->otherTool.has_value(), c.outcome == Outcome::OtherTool);
        const auto playersOf = [](const TTeam& team) {
            return std::count_if(team.Players.begin(), team.Players.end(),
                                 [](const TPlayer& player) { return !player.isEmpty(); });
        };
        if (reading->otherTool) {
            EXPECT_EQ(reading->otherTool->playerCount, c.players);
            EXPECT_EQ(reading->team, TTeam{}) << "the misreading is not handed on";
        } else {
            EXPECT_EQ(playersOf(reading->team), c.players);
        }
    }
}
