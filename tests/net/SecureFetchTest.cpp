// https: certificates good and bad, handshakes that fail or stall, redirects
// between http and https, a proxy tunnel, and cancelling at every stage.
#include "FetchFixture.h"
#include "ScriptedServer.h"
#include "ServerProcess.h"

#include <filesystem>
#include <functional>

namespace {

const std::string teamReply = "HTTP/1.0 200 OK\r\nContent-Length: 4\r\n\r\nteam";

class SecureGet : public HttpGet
{
protected:
    // The client trusts the tests' own certificate authority, as a user
    // points it at a private one.
    static void SetUpTestSuite() { setenv("SSL_CERT_FILE", TestCertificates::file("ca.pem").c_str(), 1); }
};

} // namespace

TEST_F(SecureGet, ReadsAPageFromAServerWithATrustedCertificate)
{
    ServerProcess server({.certificate = "server", .reply = teamReply, .connections = 2});
    ASSERT_EQ(get(server.url("/team.htm")), "");
    EXPECT_EQ(body(), "team");
    EXPECT_EQ(http.Port, server.port());
    // By name as well: the certificate names localhost, which also goes out for SNI.
    const std::string byName = "HTTPS://localhost:" + std::to_string(server.port()) + "/";
    ASSERT_EQ(get(byName), "");
    const std::vector<std::string> requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].substr(0, requests[0].find("Accept")),
              "GET /team.htm HTTP/1.0\r\nHost: 127.0.0.1:" + std::to_string(server.port()) + "\r\n");
    EXPECT_NE(requests[1].find("Host: localhost:"), std::string::npos);
}

TEST_F(SecureGet, RefusesServersItCannotTrust)
{
    struct Case
    {
        const char* name;
        ServerScript script;
        std::string error; // the start of the message
        std::string host = "127.0.0.1";
    };
    const Case cases[] = {
        {"self-signed",
         {.certificate = "selfsigned", .reply = teamReply},
         "ESockError: Certificate of 127.0.0.1 not trusted: self-signed certificate"},
        {"wrong host name",
         {.certificate = "wronghost", .reply = teamReply},
         "ESockError: Certificate does not match host name 127.0.0.1"},
        // A name is checked against the certificate's DNS names, as an address is against its IP ones.
        {"wrong host name, by name",
         {.certificate = "wronghost", .reply = teamReply},
         "ESockError: Certificate does not match host name localhost",
         "localhost"},
        {"expired",
         {.certificate = "expired", .reply = teamReply},
         "ESockError: Certificate of 127.0.0.1 not trusted: certificate has expired"},
        {"TLS 1.0 only",
         {.certificate = "server", .tls10Only = true, .reply = teamReply},
         "ESockError: TLS handshake with 127.0.0.1 failed: "},
        {"plain HTTP on the TLS port",
         {.reply = teamReply, .atOnce = true},
         "ESockError: TLS handshake with 127.0.0.1 failed: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ServerProcess server(c.script);
        const std::string url = "https://" + c.host + ":" + std::to_string(server.port()) + "/team.htm";
        const std::string error = get(url);
        EXPECT_EQ(error.substr(0, c.error.size()), c.error) << error;
        EXPECT_GT(error.size(), std::string("ESockError: TLS handshake with " + c.host + " failed: ").size());
        EXPECT_FALSE(http.Connected());
        EXPECT_FALSE(std::filesystem::exists(http.FileName.str()));
    }
}

TEST_F(SecureGet, GivesUpOnAStalledHandshake)
{
    ScriptedServer staller("", "", true);
    http.ConnectTimeOut = 300;
    EXPECT_EQ(get("https://127.0.0.1:" + std::to_string(staller.port()) + "/"),
              "ESockError: Timed out connecting to 127.0.0.1");
    EXPECT_FALSE(http.Connected());
}

TEST_F(SecureGet, FollowsRedirectsToHttpsButNeverBackToHttp)
{
    ServerProcess secure({.certificate = "server", .reply = teamReply});
    {
        ScriptedServer plain("HTTP/1.0 302 Found\r\nLocation: " + secure.url("/team.htm") + "\r\n\r\n");
        ASSERT_EQ(get(plain.url("/start.htm")), "");
        EXPECT_EQ(body(), "team");
    }
    std::filesystem::remove(http.FileName.str());
    ScriptedServer plain(teamReply);
    ServerProcess downgrade({.certificate = "server",
                             .reply = "HTTP/1.0 301 Moved\r\nLocation: " + plain.url("/x") + "\r\n\r\n"});
    EXPECT_EQ(get(downgrade.url("/")),
              "HTTPException: Refused redirect from https to http: " + plain.url("/x"));
    EXPECT_FALSE(plain.requestReceived());
    EXPECT_FALSE(std::filesystem::exists(http.FileName.str()));
}

TEST_F(SecureGet, GoesThroughAProxyTunnel)
{
    ServerProcess server({.certificate = "server", .reply = teamReply});
    ServerProcess proxy({.proxy = true});
    http.Proxy = "127.0.0.1";
    http.ProxyPort = proxy.port();
    ASSERT_EQ(get(server.url("/team.htm")), "");
    EXPECT_EQ(body(), "team");
    const std::string authority = "127.0.0.1:" + std::to_string(server.port());
    const std::vector<std::string> requests = proxy.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].substr(0, requests[0].find("User-Agent")),
              "CONNECT " + authority + " HTTP/1.0\r\nHost: " + authority + "\r\n");
    // The request inside the tunnel names the path, as to the server itself.
    EXPECT_EQ(server.requests()[0].substr(0, 26), "GET /team.htm HTTP/1.0\r\nHo");
}

TEST_F(SecureGet, CancelEndsEveryStageAndTheNextFetchWorks)
{
    ScriptedServer staller(Reply("", "", true), 2);
    ServerProcess endless({.certificate = "server",
                           .reply = "HTTP/1.0 200 OK\r\nContent-Length: 60000000\r\n\r\n",
                           .repeat = std::string(16 * 1024, 'e')});
    const std::string stalled = "https://127.0.0.1:" + std::to_string(staller.port()) + "/";
    http.ReportLevel = 2;
    struct Case
    {
        const char* name;
        std::string url;
        std::function<bool()> when;
        std::string error;
    };
    const Case cases[] = {
        {"connecting", stalled, [] { return true; }, "ESockError: Connection Canceled"},
        {"in the handshake", stalled, [this] { return http.Status() == "Securing Connection"; },
         "ESockError: Connection Canceled"},
        {"in the body", endless.url(),
         [this] { return http.Status() == "Capture File" && http.BytesRecvd() > 0; },
         "ESockError: Read Canceled"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setEventPump([&] {
            if (c.when())
                http.Abort();
        });
        EXPECT_EQ(get(c.url), c.error);
        EXPECT_TRUE(http.BeenCanceled);
        EXPECT_FALSE(http.Connected());
        EXPECT_FALSE(std::filesystem::exists(http.FileName.str()));
    }
    setEventPump(nullptr);
    ServerProcess server({.certificate = "server", .reply = teamReply});
    EXPECT_EQ(get(server.url()), "");
    EXPECT_EQ(body(), "team");
}
