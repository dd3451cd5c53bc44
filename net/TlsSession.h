#pragma once

#include <cstddef>
#include <string>

struct ssl_st;

// TLS over a connected non-blocking socket, by OpenSSL: TLS 1.2 or later, the
// server's certificate chain verified against the system's trust store
// (OpenSSL's default paths, so SSL_CERT_FILE and SSL_CERT_DIR apply) and
// matched against the host name, which is also sent for SNI. Every call does
// one step and never blocks: a step that cannot go on names the socket event
// to wait for. Failures raise ESockError with a message naming the host.
class TlsSession
{
public:
    // What one read or write step did.
    struct Step
    {
        std::size_t bytes = 0; // moved; 0 when waitFor or closed is set
        short waitFor = 0;     // POLLIN or POLLOUT: nothing moved until the socket is ready
        bool closed = false;   // the server has closed the connection
    };

    TlsSession(int socket, const std::string& hostName);
    ~TlsSession();
    TlsSession(const TlsSession&) = delete;
    TlsSession& operator=(const TlsSession&) = delete;

    // Advances the handshake: 0 once it is done, else the event to wait for.
    short handshake();
    Step read(char* out, std::size_t max);
    Step write(const char* bytes, std::size_t size);
    // Sends the close notice if the socket takes it at once; never waits.
    void shutdown();

private:
    [[noreturn]] void fail(int result, const char* what);
    [[noreturn]] void failHandshake(int result);
    Step step(int result, bool reading);

    ssl_st* m_ssl = nullptr;
    std::string m_hostName;
    bool m_open = false; // handshake done and no fatal failure since: a close notice may go
};
