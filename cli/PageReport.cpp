#include "PageReport.h"

#include "Errors.h"
#include "PageBatch.h"
#include "TeamJson.h"

#include <QFile>

#include <cstdio>

void printPageJson(const TTeam& team, const MatchRecord& matchRecord, TextEncoding encoding,
                   const std::string& path, bool oneLine)
{
    TeamJsonForm form;
    form.oneLine = oneLine;
    if (oneLine)
        form.pagePath = QFile::decodeName(path.c_str()).toStdString();
    // The text goes out in pieces: a page can ask for a match record whose
    // JSON is far larger than memory.
    const auto toStdout = [](std::string_view piece) {
        return std::fwrite(piece.data(), 1, piece.size(), stdout) == piece.size();
    };
    // A full disk or a closed pipe must not pass for a report.
    if (!writeTeamJson(team, matchRecord, encoding, toStdout, form) || std::fflush(stdout) != 0)
        throw TeamEditorError("Unable to write to standard output");
}

void reportPage(const std::string& path, bool oneLine)
{
    const ReadPage page = readPageFile(path);
    printPageJson(page.team, page.matchRecord, page.encoding, path, oneLine);
}

int reportPageFile(const std::string& path)
{
    return runForEachPage({path}, [](const std::string& page) { reportPage(page); });
}
