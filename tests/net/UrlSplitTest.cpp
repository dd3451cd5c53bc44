#include "UrlSplit.h"
#include "NetErrors.h"

#include <gtest/gtest.h>

TEST(UrlSplit, SplitsHostPortAndPaths)
{
    struct Case
    {
        std::string url;
        std::string host;
        int port;
        std::string requestPath;
        std::string remotePath;
        std::string requestUrl;
    };
    const Case cases[] = {
        {"http://rosters.invalid/dir/team.htm", "rosters.invalid", 80, "/dir/team.htm",
         "http://rosters.invalid/", "http://rosters.invalid/dir/team.htm"},
        {"http://rosters.invalid:8080/team.htm", "rosters.invalid", 8080, "/team.htm",
         "http://rosters.invalid:8080/", "http://rosters.invalid:8080/team.htm"},
        {"http://rosters.invalid", "rosters.invalid", 80, "/", "http://rosters.invalid/",
         "http://rosters.invalid/"},
        {"http://rosters.invalid/", "rosters.invalid", 80, "/", "http://rosters.invalid/",
         "http://rosters.invalid/"},
        {"HTTPS://rosters.invalid/a", "rosters.invalid", 80, "/a", "HTTPS://rosters.invalid/",
         "HTTPS://rosters.invalid/a"},
        {"ftp://rosters.invalid/a", "rosters.invalid", 21, "/a", "ftp://rosters.invalid/",
         "ftp://rosters.invalid/a"},
        {"Gopher://rosters.invalid/a", "rosters.invalid", 70, "/a", "Gopher://rosters.invalid/",
         "Gopher://rosters.invalid/a"},
        {"http://h:81:82/a", "h", 81, "/a", "http://h:81:82/", "http://h:81:82/a"},
        {"http:team.htm", "", 80, "/", "http:team.htm/", "http:team.htm/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        const UrlSplit split = splitUrl(c.url);
        EXPECT_EQ(split.host, c.host);
        EXPECT_EQ(split.port, c.port);
        EXPECT_EQ(split.requestPath, c.requestPath);
        EXPECT_EQ(split.remotePath, c.remotePath);
        EXPECT_EQ(split.url, c.requestUrl);
    }
}

TEST(UrlSplit, RejectsWhatCannotBeRequested)
{
    for (const char* url : {"rosters.invalid/team.htm", "http://h:/a", "http://h:0/a", "http://h:65536/a",
                            "http://h:-1/a", "http://h: 80/a", "http://h/a b\tc", "http://h/\x7f"}) {
        SCOPED_TRACE(url);
        EXPECT_THROW(splitUrl(url), HTTPException);
    }
}
