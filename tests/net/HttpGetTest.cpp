#include "EventPump.h"
#include "FetchFixture.h"
#include "NetErrors.h"
#include "ScriptedServer.h"
#include "TNMHTTP.h"

#include <gtest/gtest.h>

#include <sys/ioctl.h>

namespace {

const std::string acceptLines =
    "Accept: www/source, text/html, video/mpeg, image/jpeg, image/x-tiff\r\n"
    "Accept: image/x-rgb, image/x-xbm, image/gif, */*, application/postscript\r\n";
const std::string okHeader = "HTTP/1.0 200 OK\r\n\r\n";

struct ReplyCase
{
    const char* name;
    Reply reply;
    std::string error;
    std::string header;
    std::string body;
    int replyNumber;
};

} // namespace

TEST_F(HttpGet, StoresHeaderAndBodyAndJudgesTheReply)
{
    const std::string longField = "X-Long: " + std::string(300, 'a') + "\r\n";
    const ReplyCase cases[] = {
        {"length",
         {"HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nhello"},
         "",
         "HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\n",
         "hello",
         200},
        {"until close",
         {"HTTP/1.1 200 OK\r\nServer: x\r\n\r\n<html>\r\n</html>\r\n"},
         "",
         "HTTP/1.1 200 OK\r\nServer: x\r\n\r\n",
         "<html>\r\n</html>\r\n",
         200},
        {"no reason phrase", {"HTTP/1.0 200\r\n\r\nok"}, "", "HTTP/1.0 200\r\n\r\n", "ok", 200},
        {"bare line feeds",
         {"HTTP/1.0 204 No Content\nContent-Length: 2\n\nok"},
         "",
         "HTTP/1.0 204 No Content\nContent-Length: 2\n\n",
         "ok",
         204},
        {"long field",
         {"HTTP/1.0 200 OK\r\n" + longField + "Content-Length: 2\r\n\r\nok"},
         "",
         "HTTP/1.0 200 OK\r\n" + longField + "Content-Length: 2\r\n\r\n",
         "ok",
         200},
        {"no body", {okHeader}, "", okHeader, "", 200},
        {"longer than announced",
         {"HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nokEXTRA"},
         "",
         "HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\n",
         "ok",
         200},
        {"kept open after the announced length",
         {"HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nok", "", true},
         "",
         "HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\n",
         "ok",
         200},
        {"not found",
         {"HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found"},
         "HTTPException: Server replied: HTTP/1.0 404 Not Found",
         "HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\n",
         "",
         404},
        {"moved nowhere",
         {"HTTP/1.1 301 Moved Permanently\r\n\r\n"},
         "HTTPException: Server replied: HTTP/1.1 301 Moved Permanently",
         "HTTP/1.1 301 Moved Permanently\r\n\r\n",
         "",
         301},
        {"empty reply", {""}, "HTTPException: Server replied: ", "", "", 0},
        {"no status line",
         {"<html>team</html>\n"},
         "HTTPException: Server replied: <html>team</html>",
         "<html>team</html>\n",
         "",
         0},
        {"code out of range",
         {"HTTP/1.0 65736 Odd\r\n\r\n"},
         "HTTPException: Server replied: HTTP/1.0 65736 Odd",
         "HTTP/1.0 65736 Odd\r\n\r\n",
         "",
         0},
        {"status text that is not ASCII",
         {"HTTP/1.0 500 Fehler \xE4\x01\r\n\r\n"},
         "HTTPException: Server replied: HTTP/1.0 500 Fehler ??",
         "HTTP/1.0 500 Fehler \xE4\x01\r\n\r\n",
         "",
         500},
        {"close before the empty line",
         {"HTTP/1.0 200 OK\r\nServer: x\r\n"},
         "HTTPException: Incomplete reply from server",
         "HTTP/1.0 200 OK\r\nServer: x\r\n",
         "",
         200},
        {"close in a line",
         {"HTTP/1.0 200 OK\r\nServ"},
         "HTTPException: Incomplete reply from server",
         "HTTP/1.0 200 OK\r\nServ",
         "",
         200},
        {"body shorter than announced",
         {"HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\nshort"},
         "HTTPException: Incomplete reply from server",
         "HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\n",
         "",
         200},
    };
    for (const ReplyCase& c : cases) {
        SCOPED_TRACE(c.name);
        // Only a reply that is whole and a success stores its body.
        std::filesystem::remove(http.FileName.str());
        ScriptedServer server(c.reply);
        EXPECT_EQ(get(server.url("/team.htm")), c.error);
        EXPECT_EQ(header(), c.header);
        EXPECT_EQ(body(), c.body);
        EXPECT_EQ(http.ReplyNumber(), c.replyNumber);
        EXPECT_FALSE(http.Connected());
    }
}

TEST_F(HttpGet, KeepsTheLastCookieAndTheAnnouncedLength)
{
    ScriptedServer server("HTTP/1.0 200 OK\r\nSet-Cookie: a=1\r\nContent-Length:  3 bytes\r\n"
                          "Set-Cookie: b=2; path=/\r\nset-cookie:\tc=3\r\nSet-Cookie-2: d=4\r\n\r\nabc");
    EXPECT_EQ(get(server.url()), "");
    EXPECT_EQ(http.CookieIn(), "c=3\r\n");
    EXPECT_EQ(http.BytesTotal(), 3);
}

TEST_F(HttpGet, SendsTheRequestLinesOfADirectGet)
{
    ScriptedServer server(okHeader);
    ASSERT_EQ(get(server.url("/dir/team.htm")), "");
    EXPECT_EQ(server.request(), "GET /dir/team.htm HTTP/1.0\r\n" + acceptLines +
                                    "User-Agent:  NetMasters 3.0\r\n"
                                    "Content-type: application/x-www-form-urlencoded\r\n\r\n");
    EXPECT_EQ(http.Host, "127.0.0.1");
    EXPECT_EQ(http.Port, server.port());
    EXPECT_EQ(http.RemotePath(), server.url("/"));
}

TEST_F(HttpGet, SendsTheWholeUrlAndTheOptionalLinesToAProxy)
{
    ScriptedServer proxy(okHeader);
    http.Proxy = "127.0.0.1";
    http.ProxyPort = proxy.port();
    http.LocalMailAddress = "coach@a.invalid";
    http.Cookie = "team=1";
    http.Referer = "http://a.invalid/";
    // Long enough that the request line passes 255 characters: it must stay whole.
    const std::string url = "http://rosters.invalid:8080/" + std::string(223, 'p') + ".htm";
    ASSERT_EQ(url.size(), 255u);
    ASSERT_EQ(get(url), "");
    EXPECT_EQ(proxy.request(), "GET " + url + " HTTP/1.0\r\n" + "Proxy-Connection: Keep-Alive\r\n" +
                                   "Host: rosters.invalid\r\n" + acceptLines +
                                   "User-Agent:  NetMasters 3.0\r\n"
                                   "From:  coach@a.invalid\r\n"
                                   "Cookie:  team=1\r\n"
                                   "Referer:  http://a.invalid/\r\n"
                                   "Content-type: application/x-www-form-urlencoded\r\n\r\n");
    EXPECT_EQ(http.Port, 8080);
}

TEST_F(HttpGet, FailsBeforeSendingAndLeavesTheFilesUntouched)
{
    const std::string closed = "http://127.0.0.1:" + std::to_string(closedPort()) + "/";
    const std::pair<std::string, std::string> cases[] = {
        {closed, "ESockError: Connection Failed"},
        {"http://nothing.invalid/team.htm", "ESockError: Host Lookup Failed"},
        {"http://0.0.0.0/team.htm", "ESockError: Null Remote Address"},
        {"http:///team.htm", "ESockError: Null Remote Address"},
        {"http://127.0.0.1:eighty/team.htm", "HTTPException: HTTP Parsing URL failed"},
        {"http://127.0.0.1:70000/team.htm", "HTTPException: HTTP Parsing URL failed"},
        {"http://127.0.0.1/a\r\nX-Injected: 1", "HTTPException: HTTP Parsing URL failed"},
    };
    for (const auto& [url, error] : cases) {
        SCOPED_TRACE(url);
        EXPECT_EQ(get(url), error);
        EXPECT_FALSE(std::filesystem::exists(http.HeaderName.str()));
        EXPECT_FALSE(std::filesystem::exists(http.FileName.str()));
    }
}

TEST_F(HttpGet, NeverSendsAUrlWithoutColonToTheLastHost)
{
    {
        ScriptedServer server(okHeader);
        ASSERT_EQ(get(server.url("/team.htm")), "");
    }
    EXPECT_EQ(get("http127.0.0.1/team.htm"), "HTTPException: HTTP Parsing URL failed");
}

TEST_F(HttpGet, StopsAtTheBoundsOfHeaderAndBody)
{
    struct Case
    {
        const char* name;
        Reply reply;
        std::string error;
        std::size_t minHeader, maxHeader, bodySize;
    };
    const std::size_t bound = 64 * 1024;
    const Case cases[] = {
        {"many lines",
         {"HTTP/1.0 200 OK\r\n", "X-Filler: 0123456789\r\n"},
         "HTTPException: HTTP header too large",
         17 + 1000 * 22,
         17 + 1000 * 22,
         0},
        {"many bytes",
         {"HTTP/1.0 200 OK\r\n", "X-Filler: " + std::string(200, 'f') + "\r\n"},
         "HTTPException: HTTP header too large",
         bound + 1,
         bound + 255,
         0},
        {"endless body", {okHeader, std::string(bound, 'b')}, "HTTPException: Reply too large", 19, 19, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server(c.reply);
        EXPECT_EQ(get(server.url()), c.error);
        EXPECT_GE(header().size(), c.minHeader);
        EXPECT_LE(header().size(), c.maxHeader);
        EXPECT_EQ(std::filesystem::exists(http.FileName.str())
                      ? std::filesystem::file_size(http.FileName.str())
                      : 0u,
                  c.bodySize);
    }
}

TEST_F(HttpGet, StoresALargeBodyByteForByte)
{
    std::string page(20 * 1000 * 1000, '\0');
    for (std::size_t i = 0; i < page.size(); ++i)
        page[i] = static_cast<char>(i * 7 + i / 251);
    ScriptedServer server("HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(page.size()) + "\r\n\r\n" +
                          page);
    ASSERT_EQ(get(server.url()), "");
    EXPECT_TRUE(body() == page);
}

TEST_F(HttpGet, TimesOutOnASilentServer)
{
    ScriptedServer server("", "", true);
    http.TimeOut = 50;
    EXPECT_EQ(get(server.url()), "ESockError: Read Timed Out");
    EXPECT_TRUE(http.BeenTimedOut());
    EXPECT_EQ(header(), "");
    EXPECT_FALSE(http.Connected());
}

TEST_F(HttpGet, AbortFromTheEventPumpEndsEachWait)
{
    ScriptedServer silent("", "", true);
    const std::string port = std::to_string(silent.port());
    // Each pump aborts once its condition holds; the wait in progress then ends.
    const std::pair<std::string, std::string> cases[] = {
        {"http://localhost:" + port + "/", "ESockError: Host Lookup Canceled"},
        {"http://127.0.0.1:" + port + "/", "ESockError: Connection Canceled"},
    };
    setEventPump([this] { http.Abort(); });
    for (const auto& [url, error] : cases)
        EXPECT_EQ(get(url), error);

    ScriptedServer waiting("", "", true);
    int rounds = 0;
    setEventPump([&] {
        ++rounds;
        if (waiting.requestReceived())
            http.Abort();
    });
    EXPECT_EQ(get(waiting.url()), "ESockError: Read Canceled");
    EXPECT_GT(rounds, 0);
    EXPECT_TRUE(http.BeenCanceled);

    // The client is ready for the next fetch after every cancel.
    setEventPump(nullptr);
    ScriptedServer server(okHeader);
    EXPECT_EQ(get(server.url()), "");
}

// A cancel that comes while the rest of a redirect's header is on its way
// ends the fetch: the redirect is not followed. The event pump plays the
// first server, so that the rest of the status line arrives right as the
// cancel is given, while the client waits for that line's end.
TEST_F(HttpGet, ACancelDuringARedirectIsNotLost)
{
    ScriptedServer target("HTTP/1.0 200 OK\r\nContent-Length: 4\r\n\r\nteam");
    const int listener = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), length), 0);
    ASSERT_EQ(listen(listener, 1), 0);
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);

    int connection = -1;
    std::string request;
    bool partSent = false;
    bool canceled = false;
    setEventPump([&] {
        if (connection < 0)
            connection = accept4(listener, nullptr, nullptr, SOCK_NONBLOCK);
        char bytes[4096];
        for (ssize_t got; connection >= 0 && (got = recv(connection, bytes, sizeof bytes, 0)) > 0;)
            request.append(bytes, static_cast<std::size_t>(got));
        int waiting = 0;
        if (!partSent && request.find("\r\n\r\n") != std::string::npos) {
            partSent = send(connection, "HTTP/1.0 302 Fo", 15, 0) == 15;
        } else if (partSent && !canceled && ioctl(http.Handle(), FIONREAD, &waiting) == 0 && waiting == 0) {
            // The client has taken the start of the line and waits for its end.
            const std::string rest = "und\r\nLocation: " + target.url("/team.htm") + "\r\n\r\n";
            send(connection, rest.data(), rest.size(), 0);
            http.Abort();
            canceled = true;
        }
    });
    const std::string error =
        get("http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/start.htm");
    setEventPump(nullptr);
    close(connection);
    close(listener);
    EXPECT_TRUE(canceled);
    EXPECT_EQ(error, "ESockError: Read Canceled");
    EXPECT_EQ(body(), "");
    EXPECT_FALSE(target.requestReceived());
}

TEST_F(HttpGet, RefusesAGetStartedWhileOneWaits)
{
    ScriptedServer server("HTTP/1.0 200 OK\r\nContent-Length: 4\r\n\r\nteam");
    std::string nested;
    setEventPump([&] {
        if (nested.empty())
            nested = get("http://127.0.0.1:1/other.htm");
    });
    EXPECT_EQ(get(server.url("/team.htm")), "");
    EXPECT_EQ(nested, "ESockError: Already connected");
    EXPECT_EQ(body(), "team");
    EXPECT_EQ(http.Port, server.port());
}

TEST_F(HttpGet, ReportsTheMainStepsAtLevelTwo)
{
    std::vector<std::string> reports;
    http.ReportLevel = 2;
    http.OnStatus = [&](TPowersock&, const std::string& text) { reports.push_back(text); };
    ScriptedServer server(okHeader);
    ASSERT_EQ(get(server.url()), "");
    const std::vector<std::string> expected = {"Connecting", "Send File", "Capture File",
                                               "Transaction Completed", "Disconnecting"};
    EXPECT_EQ(reports, expected);
    EXPECT_EQ(http.Status(), "Disconnecting");
}

TEST_F(HttpGet, ReportsAFileThatCannotBeCreated)
{
    ScriptedServer server(okHeader);
    http.FileName = dir.file("missing/output1.htm");
    EXPECT_EQ(get(server.url()), "EFileError: Cannot create file " + http.FileName.str());
    EXPECT_EQ(header(), okHeader);
}
