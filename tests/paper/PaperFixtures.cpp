#include "PaperFixtures.h"

#include "ChildProcess.h"
#include "Errors.h"
#include "SheetBuilder.h"

#include <QFile>
#include <QGuiApplication>

#include <QDir>
#include <sys/stat.h>

void ensureGuiApplication()
{
    static int argc = 1;
    static char name[] = "paper_tests";
    static char* argv[] = {name, nullptr};
    if (qApp)
        return;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(argc, argv);
}

RosterSheet widestSheet(bool wordedSkills)
{
    TTeam team;
    team.BackgroundColor = 0xFFFFFF;
    team.TableColor = 0xD0FFFF;
    team.HeadingsColor = 0xA0D0D0;
    team.TeamName = std::string(40, 'T');
    team.Race = "Chaos Dwarf";
    team.Coach = std::string(40, 'C');
    team.TeamCost = "2,000,000k";
    team.Treasury = "999,999k";
    for (int slot = 1; slot <= PlayerSlotCount; ++slot) {
        TPlayer& player = team.Players[slot];
        player.PlayerName = "Player " + std::to_string(slot) + " " + std::string(30, 'n');
        player.PlayerName.resize(40, 'x');
        player.Position = "Bull Centaur Blitzer Catcher";
        player.MA = 10;
        player.ST = 10;
        player.AG = 10;
        player.AV = 10;
        std::string skills;
        while (skills.size() < 300)
            skills += wordedSkills ? "Mighty Blow, " : "MightyBlow";
        skills.resize(300);
        player.Skills = skills;
        player.Injuries = "-1 MA, -1 AV, Niggling";
        player.Completions = 999;
        player.Touchdowns = 999;
        player.Interceptions = 999;
        player.Casualties = 999;
        player.MVPs = 999;
        player.SPP = 9999;
        player.PlayerCost = "1,000k";
    }
    MatchRecord record;
    record.ColCount = 8;
    record.RowCount = 21;
    record.FixedRows = 1;
    record.Cells.assign(21, std::vector<std::string>(8, "Result"));
    return buildSheet(team, record, TextEncoding::Utf8);
}

bool failsInReadOnlyFolder(const QString& parent, const QString& name,
                           const std::function<void(const QString& target)>& store)
{
    // Open to every user, so a child that gave up root can reach it.
    ::chmod(QFile::encodeName(parent).constData(), 0755);
    const QString folder = parent + "/read-only";
    if (!QDir(parent).mkdir("read-only"))
        return false;
    ::chmod(QFile::encodeName(folder).constData(), 0555);
    const QString target = folder + "/" + name;
    const int status = inChildProcess([&] {
        // Root may write into any folder; a plain user may not.
        if (!dropRootInChild())
            return 2;
        try {
            store(target);
        } catch (const EFileError& error) {
            return error.what() == "Cannot create file " + target.toStdString() ? 0 : 3;
        }
        return 4;
    });
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    return status == 0 &&
           QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty();
}
