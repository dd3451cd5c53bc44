#include "PageBatch.h"

#include "Errors.h"
#include "PageFile.h"

#include <cstdio>

ReadPage readPageFile(const std::string& path)
{
    ReadPage read = readAsRoster(loadPageFile(path), path);
    if (read.otherTool)
        throw EOtherToolPage("Made by another roster tool");
    return read;
}

std::string failureText(const std::exception& error)
{
    std::string text = error.what();
    if (const auto* fileError = dynamic_cast<const EFileError*>(&error);
        fileError && !fileError->reason().empty())
        text += ": " + fileError->reason();
    if (dynamic_cast<const EOtherToolPage*>(&error))
        text += ": use team-editor-cli import";
    return text;
}

std::string pageFailureLine(const std::string& page, const std::exception& error, bool manyPages)
{
    // A page refused for what it holds is named, or the message would not say which file.
    const bool refused =
        dynamic_cast<const ENotRosterPage*>(&error) || dynamic_cast<const EOtherToolPage*>(&error);
    return (manyPages || refused ? page + ": " : std::string()) + failureText(error);
}

int runForEachPage(const std::vector<std::string>& pages,
                   const std::function<void(const std::string& page)>& work)
{
    int status = 0;
    for (const std::string& page : pages) {
        try {
            work(page);
        } catch (const std::exception& error) {
            // What went out on standard output so far comes before the report.
            std::fflush(stdout);
            std::fprintf(stderr, "%s\n", pageFailureLine(page, error, pages.size() > 1).c_str());
            status = 1;
        }
    }
    return status;
}
