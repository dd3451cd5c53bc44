// Fetches one URL with TNMHTTP::Get into the files named on the command line
// and nothing more, so that the transfer can be timed apart from the reading
// of the page that `team-editor-cli fetch` adds.
// usage: get_only URL BODY_FILE HEADER_FILE
#include "Errors.h"
#include "TNMHTTP.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fputs("usage: get_only URL BODY_FILE HEADER_FILE\n", stderr);
        return 2;
    }
    try {
        TNMHTTP http;
        http.FileName = argv[2];
        http.HeaderName = argv[3];
        http.Get(argv[1]);
    } catch (const TeamEditorError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
