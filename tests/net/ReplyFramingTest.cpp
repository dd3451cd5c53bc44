// Replies that arrive in odd pieces, in chunks, over a limit, or not at all;
// URLs at the text limit; files that a failed fetch must leave alone.
#include "FetchFixture.h"
#include "ScriptedServer.h"
#include "ServerProcess.h"
#include "ShortString.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

const std::string okHeader = "HTTP/1.0 200 OK\r\n\r\n";

std::string chunkedReply(const std::string& chunks)
{
    return "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nContent-Length: 3\r\n\r\n" + chunks;
}

} // namespace

// The header reader joins the pieces of a line however they come: a line that
// fills ReadLn's window, a pause right after the carriage return, bytes that
// drip in one at a time.
TEST_F(HttpGet, JoinsHeaderLinesWhateverTheirPiecesAndPace)
{
    const auto cookieLine = [](std::size_t length) {
        const std::string start = "Set-Cookie: ";
        return start + std::string(length - start.size(), 'c') + "\r\n";
    };
    const std::string tail = "X-Other: 1\r\nContent-Length: 4\r\n\r\nteam";
    struct Case
    {
        const char* name;
        ServerScript script;
        std::string cookie;
    };
    const std::string line254 = cookieLine(254);
    const std::string line255 = cookieLine(255);
    std::vector<Case> cases = {
        {"254-byte line", {.reply = "HTTP/1.0 200 OK\r\n" + line254 + tail}, line254.substr(12)},
        {"255-byte line", {.reply = "HTTP/1.0 200 OK\r\n" + line255 + tail}, line255.substr(12)},
        {"pause after the carriage return",
         {.reply = "HTTP/1.0 200 OK\r\n" + tail, .pauseAfter = 16, .pauseMs = 1500},
         ""},
        // Each byte of "K\r\n" comes after ReadLn has given up waiting for a line end.
        {"a byte a second",
         {.reply = "HTTP/1.0 200 OK\r\n" + tail, .dripMs = 1050, .dripFrom = 14, .dripTo = 17},
         ""},
    };
    for (const bool secure : {false, true}) {
        for (Case c : cases) {
            SCOPED_TRACE(std::string(c.name) + (secure ? " over https" : " over http"));
            c.script = servedOver(secure, c.script);
            ServerProcess server(c.script);
            ASSERT_EQ(get(server.url()), "");
            EXPECT_EQ(body(), "team");
            EXPECT_EQ(header(), c.script.reply.substr(0, c.script.reply.size() - 4));
            EXPECT_EQ(http.CookieIn(), c.cookie);
            EXPECT_EQ(http.BytesTotal(), 4);
        }
    }
}

TEST_F(HttpGet, DecodesChunkedBodies)
{
    struct Case
    {
        const char* name;
        Reply reply;
        std::string error;
        std::string body;
    };
    const std::string bigChunk = "10000\r\n" + std::string(0x10000, 'z') + "\r\n";
    const Case cases[] = {
        {"good",
         {chunkedReply(
             "5;name=value\r\nhello\r\n1A\r\n abcdefghijklmnopqrstuvwxy\r\n0\r\nX-Trailer: 1\r\n\r\n")},
         "",
         "hello abcdefghijklmnopqrstuvwxy"},
        {"bare line feeds and no trailer", {chunkedReply("3\nabc\n0\n\n")}, "", "abc"},
        {"closed after the last chunk", {chunkedReply("2\r\nok\r\n0\r\n")}, "", "ok"},
        {"size that is no number",
         {chunkedReply("zz\r\nhello\r\n0\r\n\r\n")},
         "Malformed chunk in reply from 127.0.0.1",
         ""},
        {"no line end after the data",
         {chunkedReply("2\r\nokX\r\n0\r\n\r\n")},
         "Malformed chunk in reply from 127.0.0.1",
         ""},
        // A size one too large takes the carriage return into the data.
        {"size that lies by one",
         {chunkedReply("4\r\nabc\r\n2\r\nok\r\n0\r\n\r\n")},
         "Malformed chunk in reply from 127.0.0.1",
         ""},
        {"size line without end",
         {chunkedReply(std::string(2000, '1'))},
         "Malformed chunk in reply from 127.0.0.1",
         ""},
        {"cut in a chunk", {chunkedReply("10\r\nshort")}, "Incomplete reply from server", ""},
        {"no last chunk", {chunkedReply("2\r\nok\r\n")}, "Incomplete reply from server", ""},
        {"one chunk over the limit", {chunkedReply("4000001\r\n"), "", true}, "Reply too large", ""},
        {"huge size", {chunkedReply("FFFFFFFFFFFFFFFFFFFFFFFF\r\n"), "", true}, "Reply too large", ""},
        {"endless chunks", {chunkedReply(""), bigChunk}, "Reply too large", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expectServed(c.reply, c.error, c.body);
    }
}

// A body that comes compressed is stored as the page it holds, whether the
// server names the coding as the page's or as the transfer's; a body in a
// coding this client does not know is stored as it came; a cut or broken
// stream, or one that unpacks past the bound, leaves no page.
TEST_F(HttpGet, UnpacksCompressedBodies)
{
    const std::string page = "<html><body>" + std::string(3000, 't') + "</body></html>";
    const std::string gzip = compressed(page, 31);
    const auto reply = [](const std::string& fields, const std::string& body) {
        return "HTTP/1.1 200 OK\r\n" + fields + "\r\n" + body;
    };
    const auto lengthOf = [](const std::string& body) {
        return "Content-Length: " + std::to_string(body.size()) + "\r\n";
    };
    struct Case
    {
        const char* name;
        std::string reply;
        std::string error;
        std::string body;
    };
    const Case cases[] = {
        {"gzip", reply("Content-Encoding: gzip\r\n" + lengthOf(gzip), gzip), "", page},
        {"x-gzip in capitals, to the close", reply("content-encoding: X-GZIP\r\n", gzip), "", page},
        {"deflate", reply("Content-Encoding: deflate\r\n", compressed(page, 15)), "", page},
        {"two gzip streams in a row",
         reply("Content-Encoding: gzip\r\n", gzip + compressed("<p>more</p>", 31)), "", page + "<p>more</p>"},
        {"junk after the stream", reply("Content-Encoding: gzip\r\n", gzip + "junk"),
         "Malformed compressed reply from 127.0.0.1", ""},
        {"identity", reply("Content-Encoding: identity\r\n", page), "", page},
        {"gzip in chunks",
         reply("Content-Encoding: gzip\r\nTransfer-Encoding: chunked\r\n",
               "10\r\n" + gzip.substr(0, 16) + "\r\n" + hexText(gzip.size() - 16) + "\r\n" + gzip.substr(16) +
                   "\r\n0\r\n\r\n"),
         "", page},
        {"gzip as the transfer's coding",
         reply("Transfer-Encoding: gzip, chunked\r\n",
               hexText(gzip.size()) + "\r\n" + gzip + "\r\n0\r\n\r\n"),
         "", page},
        {"a coding not known, as servers name the charset", reply("Content-Encoding: utf-8\r\n", page), "",
         page},
        {"chunked, then a coding not known", reply("Transfer-Encoding: chunked, x-custom\r\n", page), "",
         page},
        {"cut short", reply("Content-Encoding: gzip\r\n", gzip.substr(0, gzip.size() / 2)),
         "Incomplete reply from server", ""},
        {"not compressed at all", reply("Content-Encoding: gzip\r\n", page),
         "Malformed compressed reply from 127.0.0.1", ""},
        {"unpacks past the bound",
         reply("Content-Encoding: gzip\r\n",
               compressed(std::string(static_cast<std::size_t>(TNMHTTP::maxBodyBytes) + 1, ' '), 31)),
         "Reply too large", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expectServed(c.reply, c.error, c.body);
    }
}

// An announced length at the bound is taken; one byte more is refused before
// the body is read.
TEST_F(HttpGet, TakesABodyOfExactlyTheBound)
{
    const std::int64_t bound = TNMHTTP::maxBodyBytes;
    {
        ScriptedServer server("HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(bound) + "\r\n\r\n" +
                              std::string(static_cast<std::size_t>(bound), 'b'));
        EXPECT_EQ(get(server.url()), "");
        EXPECT_EQ(std::filesystem::file_size(http.FileName.str()), static_cast<std::uintmax_t>(bound));
    }
    std::filesystem::remove(http.FileName.str());
    ScriptedServer server("HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(bound + 1) + "\r\n\r\n",
                          std::string(64 * 1024, 'b'));
    EXPECT_EQ(get(server.url()), "HTTPException: Reply too large");
    EXPECT_FALSE(std::filesystem::exists(http.FileName.str()));
}

TEST_F(HttpGet, FollowsRedirectsWithinBounds)
{
    ScriptedServer final("HTTP/1.0 200 OK\r\nContent-Length: 4\r\n\r\nteam");
    const auto moved = [](int status, const std::string& location) {
        return Reply("HTTP/1.0 " + std::to_string(status) + " Moved\r\nLocation: " + location +
                     "\r\n\r\nold");
    };
    {
        ScriptedServer chain({moved(301, "../b/next.htm"), moved(302, "/c/last.htm?x=1"),
                              moved(303, final.url("/final.htm"))});
        ASSERT_EQ(get(chain.url("/a/start.htm")), "");
        EXPECT_EQ(body(), "team");
        EXPECT_EQ(header(), "HTTP/1.0 200 OK\r\nContent-Length: 4\r\n\r\n");
        EXPECT_EQ(http.Port, final.port());
        std::vector<std::string> lines;
        for (const std::string& request : chain.requests())
            lines.push_back(request.substr(0, request.find("\r\n")));
        lines.push_back(final.request().substr(0, final.request().find("\r\n")));
        EXPECT_EQ(lines,
                  (std::vector<std::string>{"GET /a/start.htm HTTP/1.0", "GET /b/next.htm HTTP/1.0",
                                            "GET /c/last.htm?x=1 HTTP/1.0", "GET /final.htm HTTP/1.0"}));
    }
    {
        ScriptedServer again(moved(307, "/again"), 6);
        EXPECT_EQ(get(again.url("/")), "HTTPException: Too many redirects");
        EXPECT_EQ(again.requests().size(), 6u);
    }
    {
        // A header cut before its end may have lost the end of its Location too.
        ScriptedServer cut({Reply("HTTP/1.0 302 Moved\r\nLocation: /team.htm?id=12"),
                            Reply("HTTP/1.0 200 OK\r\n\r\nanother team")});
        EXPECT_EQ(get(cut.url("/")), "HTTPException: Incomplete reply from server");
        EXPECT_EQ(body(), "team");
    }
    {
        ScriptedServer odd(moved(308, "ftp://x/"));
        EXPECT_EQ(get(odd.url("/")), "HTTPException: Unsupported address: ftp://x/");
    }
}

TEST_F(HttpGet, RefusesOtherSchemesBeforeSendingAnything)
{
    ScriptedServer proxy(okHeader);
    http.Proxy = "127.0.0.1";
    http.ProxyPort = proxy.port();
    EXPECT_EQ(get("ftp://x/"), "HTTPException: Unsupported address: ftp://x/");
    EXPECT_EQ(get("FILE:///etc/passwd"), "HTTPException: Unsupported address: FILE:///etc/passwd");
    EXPECT_FALSE(proxy.requestReceived());
    EXPECT_FALSE(std::filesystem::exists(http.HeaderName.str()));
}

TEST_F(HttpGet, GivesUpOnAReplyWithoutProgressButNotOnASlowOne)
{
    http.ReplyTimeOut = 200;
    {
        ScriptedServer silent("HTTP/1.0 200 OK\r\n", "", true);
        EXPECT_EQ(get(silent.url()), "ESockError: Timed out waiting for 127.0.0.1");
        EXPECT_TRUE(http.BeenTimedOut());
        EXPECT_FALSE(http.Connected());
    }
    // Each byte comes well within the limit, the whole reply well after it.
    ServerProcess slow(
        {.reply = "HTTP/1.0 200 OK\r\nContent-Length: 20\r\n\r\n" + std::string(20, 's'), .dripMs = 20});
    EXPECT_EQ(get(slow.url()), "");
    EXPECT_EQ(body(), std::string(20, 's'));
}

TEST_F(HttpGet, FetchesNormallyAfterATimeOut)
{
    http.TimeOut = 50;
    {
        ScriptedServer silent("", "", true);
        EXPECT_EQ(get(silent.url()), "ESockError: Read Timed Out");
    }
    ScriptedServer server("HTTP/1.0 200 OK\r\nContent-Length: 4\r\n\r\nteam");
    EXPECT_EQ(get(server.url()), "");
    EXPECT_EQ(body(), "team");
    EXPECT_FALSE(http.BeenTimedOut());
}

TEST_F(HttpGet, CutsAUrlAtTheLimitBetweenCharacters)
{
    // "é" is two bytes, "€" three: placed so that byte 255 falls inside them.
    const std::string eAcute = "\xC3\xA9";
    const std::string euro = "\xE2\x82\xAC";
    for (const auto& [character, before] :
         {std::pair{eAcute, 254u}, std::pair{euro, 253u}, std::pair{euro, 254u}, std::pair{eAcute, 253u}}) {
        SCOPED_TRACE(before);
        const std::string text = std::string(before, 'a') + character + "tail";
        const std::string kept = ShortString(text).str();
        const std::size_t whole =
            before + character.size() <= ShortString::maxLength ? before + character.size() : before;
        EXPECT_EQ(kept, text.substr(0, whole));
    }
    // Bytes that are no UTF-8 are cut at the limit all the same.
    EXPECT_EQ(ShortString(std::string(300, '\x80')).str().size(), ShortString::maxLength);

    // A URL is sent whole up to the limit and refused past it, never cut.
    ScriptedServer server(okHeader);
    const std::string start = server.url("/");
    const std::string url = start + std::string(253 - start.size(), 'p') + eAcute;
    ASSERT_EQ(url.size(), ShortString::maxLength);
    // The message shows the address in ASCII.
    EXPECT_EQ(get(url + "q"), "HTTPException: Address too long: " + url.substr(0, 253) + "??q");
    EXPECT_FALSE(server.requestReceived());
    ASSERT_EQ(get(url), "");
    EXPECT_EQ(server.request().substr(0, server.request().find(" HTTP/1.0")),
              "GET /" + std::string(253 - start.size(), 'p') + eAcute);
}

// A fetch replaces the page and header files only as a whole: a planted link
// is replaced rather than written through, and a failure keeps the old page.
TEST_F(HttpGet, ReplacesItsFilesWholeAndOnlyOnSuccess)
{
    const std::string victim = dir.file("victim.txt");
    {
        std::ofstream(victim) << "precious";
    }
    std::filesystem::create_symlink(victim, http.FileName.str());
    std::filesystem::create_symlink(victim, http.HeaderName.str());
    {
        ScriptedServer server("HTTP/1.0 200 OK\r\nContent-Length: 4\r\n\r\nteam");
        ASSERT_EQ(get(server.url()), "");
    }
    EXPECT_EQ(readFile(victim), "precious");
    EXPECT_FALSE(std::filesystem::is_symlink(http.FileName.str()));
    EXPECT_EQ(body(), "team");
    struct stat status
    {
    };
    ASSERT_EQ(stat(http.FileName.str().c_str(), &status), 0);
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(status.st_mode & 0777, 0666 & ~mask);

    for (const std::string& reply : {std::string("HTTP/1.0 200 OK\r\nContent-Length: 9\r\n\r\ncut"),
                                     std::string("HTTP/1.0 500 Broken\r\n\r\nerror page")}) {
        SCOPED_TRACE(reply);
        ScriptedServer server(reply);
        EXPECT_NE(get(server.url()), "");
        EXPECT_EQ(body(), "team");
    }
    // Only this fetch's files are in the folder: no temporary file stays behind.
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.file("")))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Head.txt", "output1.htm", "victim.txt"}));

    // Something other than a file under the page's name is not replaced.
    std::filesystem::remove(http.FileName.str());
    std::filesystem::create_directory(http.FileName.str());
    ScriptedServer server(okHeader);
    EXPECT_EQ(get(server.url()), "EFileError: Cannot create file " + http.FileName.str());
    EXPECT_TRUE(std::filesystem::is_directory(http.FileName.str()));
}

// Servers that spell their fields oddly, cut the body short, trickle for
// ever, or are asked for a URL too long to send, over http and https alike.
TEST_F(HttpGet, HoldsHostileRepliesToTheirWord)
{
    const std::string page(8188, 'p');
    const std::string half = page.substr(0, 4094);
    struct Case
    {
        const char* name;
        ServerScript script;
        std::string error;
        std::string body;
        std::string path = "/team.htm";
        int maxTimeMs = 60'000;
    };
    const std::vector<Case> cases = {
        {"lower-case length, body cut",
         {.reply = "HTTP/1.0 200 OK\r\ncontent-length: 8188\r\n\r\n" + half},
         "HTTPException: Incomplete reply from server",
         ""},
        {"length after a tab, body cut",
         {.reply = "HTTP/1.0 200 OK\r\nContent-Length:\t8188\r\n\r\n" + half},
         "HTTPException: Incomplete reply from server",
         ""},
        {"length without a blank, whole",
         {.reply = "HTTP/1.0 200 OK\r\nCONTENT-LENGTH:8188\r\n\r\n" + page + "trailing"},
         "",
         page},
        {"chunked in capitals",
         {.reply = "HTTP/1.0 200 OK\r\nTRANSFER-ENCODING:\tChunked\r\n\r\n4\r\nteam\r\n0\r\n\r\n"},
         "",
         "team"},
        {"a trickle in the header",
         {.reply = "HTTP/1.0 200 OK\r\nX-Slow: " + std::string(200, 's') + "\r\n\r\nteam",
          .dripMs = 20,
          .dripFrom = 17},
         "ESockError: Timed out waiting for 127.0.0.1",
         "",
         "/team.htm",
         800},
        {"a trickle in the body",
         {.reply = "HTTP/1.0 200 OK\r\nContent-Length: 200\r\n\r\n" + std::string(200, 'b'), .dripMs = 20},
         "ESockError: Timed out waiting for 127.0.0.1",
         "",
         "/team.htm",
         800},
        {"two lengths that differ, the later one short",
         {.reply = "HTTP/1.0 200 OK\r\nContent-Length: 8188\r\nContent-Length: 4094\r\n\r\n" + page},
         "HTTPException: Conflicting lengths in reply from server",
         ""},
        {"a length, then one that is no number, body cut",
         {.reply = "HTTP/1.0 200 OK\r\nContent-Length: 8188\r\nContent-Length: many\r\n\r\n" + half},
         "HTTPException: Incomplete reply from server",
         ""},
        {"the same length twice",
         {.reply = "HTTP/1.0 200 OK\r\nContent-Length: 8188\r\ncontent-length: 8188\r\n\r\n" + page},
         "",
         page},
        {"URL over 255 bytes",
         {.reply = "HTTP/1.0 200 OK\r\n\r\nwrong page", .connections = 0},
         "HTTPException: Address too long: ",
         "",
         "/" + std::string(240, 'p') + "?team=42"},
    };
    for (const bool secure : {false, true}) {
        for (Case c : cases) {
            SCOPED_TRACE(std::string(c.name) + (secure ? " over https" : " over http"));
            c.script = servedOver(secure, c.script);
            std::filesystem::remove(http.FileName.str());
            http.MaxTime = c.maxTimeMs;
            // Each byte of a trickle comes well within the no-progress limit.
            http.ReplyTimeOut = 5000;
            ServerProcess server(c.script);
            const std::string url = server.url(c.path);
            const std::string error = get(url);
            EXPECT_EQ(error, c.error + (c.error.find("too long") != std::string::npos ? url : ""));
            EXPECT_EQ(body(), c.body);
            EXPECT_FALSE(http.Connected());
            EXPECT_EQ(server.requests().size(), c.script.connections == 0 ? 0u : 1u);
        }
    }
}

// A connection that ends in a reset, not in an orderly close, has lost what
// was still on its way: over https as over http, the reply is no page.
TEST_F(HttpGet, TakesAResetForAFailureNotForTheEndOfTheReply)
{
    for (const bool secure : {false, true}) {
        SCOPED_TRACE(secure ? "over https" : "over http");
        std::filesystem::remove(http.FileName.str());
        // The pause lets the client take in all that was sent before the reset comes.
        const std::string reply = "HTTP/1.0 200 OK\r\n\r\n" + std::string(4000, 'p');
        ServerProcess server(servedOver(
            secure,
            {.reply = reply, .reset = true, .pauseAfter = static_cast<int>(reply.size()), .pauseMs = 200}));
        const std::string error = get(server.url("/team.htm"));
        EXPECT_EQ(error.rfind("ESockError: ", 0), 0u) << error;
        EXPECT_EQ(body(), "");
        EXPECT_FALSE(http.Connected());
    }
}
