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
        {"HTTPS://rosters.invalid/a", "rosters.invalid", 443, "/a", "HTTPS://rosters.invalid/",
         "HTTPS://rosters.invalid/a"},
        {"hTTp://rosters.invalid/a", "rosters.invalid", 80, "/a", "hTTp://rosters.invalid/",
         "hTTp://rosters.invalid/a"},
        {"https://rosters.invalid:8443", "rosters.invalid", 8443, "/", "https://rosters.invalid:8443/",
         "https://rosters.invalid:8443/"},
        // No scheme before the first colon: split as an http URL.
        {"http//rosters.invalid:81/a", "rosters.invalid", 81, "/a", "http//rosters.invalid:81/",
         "http//rosters.invalid:81/a"},
        {"http://h:81:82/a", "h", 81, "/a", "http://h:81:82/", "http://h:81:82/a"},
        {"http:team.htm", "", 80, "/", "http:team.htm/", "http:team.htm/"},
        // A fragment names a place in the page and is never sent.
        {"http://rosters.invalid/team.htm?id=7#players", "rosters.invalid", 80, "/team.htm?id=7",
         "http://rosters.invalid/", "http://rosters.invalid/team.htm?id=7"},
        {"http://rosters.invalid:81#top", "rosters.invalid", 81, "/", "http://rosters.invalid:81/",
         "http://rosters.invalid:81/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        const UrlSplit split = splitUrl(c.url);
        EXPECT_EQ(split.host, c.host);
        EXPECT_EQ(split.port, c.port);
        EXPECT_EQ(split.requestPath, c.requestPath);
        EXPECT_EQ(split.remotePath, c.remotePath);
        EXPECT_EQ(split.url, c.requestUrl);
        EXPECT_EQ(split.secure, c.port == 443 || c.port == 8443);
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

TEST(UrlSplit, RefusesSchemesOtherThanHttpAndHttps)
{
    for (const std::string url :
         {"ftp://x/", "Gopher://rosters.invalid/a", "file:///etc/passwd", "httpx://h/"}) {
        SCOPED_TRACE(url);
        try {
            splitUrl(url);
            ADD_FAILURE() << "accepted";
        } catch (const HTTPException& e) {
            EXPECT_EQ(e.what(), "Unsupported address: " + url);
        }
    }
}

TEST(UrlSplit, ResolvesRedirectTargets)
{
    const std::string base = "http://h.test:81/a/b/page.htm?x=1";
    const std::pair<std::string, std::string> cases[] = {
        {"https://other.test/p", "https://other.test/p"},
        {"//other.test/p", "http://other.test/p"},
        {"/top.htm", "http://h.test:81/top.htm"},
        {"next.htm", "http://h.test:81/a/b/next.htm"},
        {"../up.htm?y=2", "http://h.test:81/a/up.htm?y=2"},
        {"../../../../root.htm", "http://h.test:81/root.htm"},
        {"./c/./d.htm#part", "http://h.test:81/a/b/c/d.htm"},
        {"?y=2", "http://h.test:81/a/b/page.htm?y=2"},
        {"..", "http://h.test:81/a/"},
        {"  spaced.htm ", "http://h.test:81/a/b/spaced.htm"},
    };
    for (const auto& [reference, expected] : cases) {
        SCOPED_TRACE(reference);
        EXPECT_EQ(resolveUrl(base, reference), expected);
    }
    EXPECT_EQ(resolveUrl("https://h.test", "x.htm"), "https://h.test/x.htm");
}
