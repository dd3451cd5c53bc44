#pragma once

#include "EventPump.h"
#include "NetErrors.h"
#include "ScriptedServer.h"
#include "ServerProcess.h"
#include "TNMHTTP.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <zlib.h>

#include <filesystem>
#include <sstream>
#include <string>

// A client whose files go to a fresh folder; get() gives what Get raised.
class HttpGet : public ::testing::Test
{
protected:
    HttpGet()
    {
        http.FileName = dir.file("output1.htm");
        http.HeaderName = dir.file("Head.txt");
    }
    ~HttpGet() override { setEventPump(nullptr); }

    // The class and message of what Get raised; empty when it returned.
    std::string get(const std::string& url)
    {
        try {
            http.Get(url);
            return {};
        } catch (const ESockError& e) {
            return std::string("ESockError: ") + e.what();
        } catch (const HTTPException& e) {
            return std::string("HTTPException: ") + e.what();
        } catch (const EFileError& e) {
            return std::string("EFileError: ") + e.what();
        }
    }
    // Serves the reply once; Get must then raise HTTPException with error
    // (nothing when it is empty) and leave page as the body file.
    void expectServed(const Reply& reply, const std::string& error, const std::string& page)
    {
        std::filesystem::remove(http.FileName.str());
        ScriptedServer server(reply);
        EXPECT_EQ(get(server.url()), error.empty() ? "" : "HTTPException: " + error);
        EXPECT_EQ(body(), page);
        EXPECT_FALSE(http.Connected());
    }
    std::string header() const { return readFile(http.HeaderName); }
    std::string body() const { return readFile(http.FileName); }

    TempDir dir;
    TNMHTTP http;
};

// A port on which nothing listens.
inline int closedPort()
{
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(probe, reinterpret_cast<sockaddr*>(&address), length);
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    close(probe);
    return ntohs(address.sin_port);
}

// The script as served over http, or over https with the tests' server
// certificate, which the client then trusts.
inline ServerScript servedOver(bool secure, ServerScript script)
{
    if (secure) {
        script.certificate = "server";
        setenv("SSL_CERT_FILE", TestCertificates::file("ca.pem").c_str(), 1);
    }
    return script;
}

inline std::string hexText(std::size_t number)
{
    std::ostringstream text;
    text << std::hex << number;
    return text.str();
}

// The text compressed as gzip (windowBits 31) or zlib data (15).
inline std::string compressed(const std::string& text, int windowBits)
{
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, text.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    stream.avail_in = static_cast<uInt>(text.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}
