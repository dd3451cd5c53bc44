#include "NetErrors.h"
#include "ScriptedServer.h"
#include "TPowersock.h"

#include <gtest/gtest.h>

namespace {

void connectTo(TPowersock& socket, const ScriptedServer& server)
{
    socket.Host = "127.0.0.1";
    socket.Port = server.port();
    socket.Connect();
}

} // namespace

TEST(Socket, ReadsLinesInPiecesOfAtMost255Bytes)
{
    const std::string longLine = std::string(300, 'x') + "\n";
    ScriptedServer server("first\r\n" + longLine + "bare\nno end");
    TPowersock socket;
    int disconnects = 0;
    socket.OnDisconnect = [&](TPowersock&) { ++disconnects; };
    connectTo(socket, server);
    std::istringstream request("GET\r\n\r\n");
    socket.SendStream(request);

    const std::vector<std::string> expected = {
        "first\r\n", longLine.substr(0, 255), longLine.substr(255), "bare\n", "no end", "", ""};
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < expected.size(); ++i)
        lines.push_back(socket.ReadLn());
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(disconnects, 1);
    EXPECT_FALSE(socket.Connected());
    socket.Disconnect();
}

TEST(Socket, RefusesASecondConnectWhileConnected)
{
    ScriptedServer server("", "", true);
    TPowersock socket;
    connectTo(socket, server);
    EXPECT_TRUE(socket.Connected());
    EXPECT_EQ(socket.RemoteIP(), "127.0.0.1");
    try {
        socket.Connect();
        ADD_FAILURE() << "a second Connect was accepted";
    } catch (const ESockError& e) {
        EXPECT_STREQ(e.what(), "Already connected");
    }
    socket.Disconnect();
    EXPECT_FALSE(socket.Connected());
    EXPECT_GE(socket.Handle(), 0);
}
