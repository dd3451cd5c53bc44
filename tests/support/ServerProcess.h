#pragma once

#include <string>
#include <vector>

// The certificates of the TLS tests, made once per test program by
// make-test-certs.sh in a temporary folder that goes when the program ends.
class TestCertificates
{
public:
    // The folder holding ca.pem and the server certificates and keys.
    static const std::string& folder();
    static std::string file(const std::string& name) { return folder() + "/" + name; }
};

// How a ServerProcess behaves; see scripted_server.py.
struct ServerScript
{
    std::string certificate{}; // "server", "wronghost", "expired", "selfsigned"; empty: plain TCP
    bool tls10Only = false;
    std::string reply{};
    std::string repeat{};
    bool holdOpen = false;
    bool atOnce = false; // answers without waiting for a request
    bool reset = false;  // ends each connection with a reset, not an orderly close
    bool proxy = false;  // relays CONNECT tunnels
    int connections = 1;
    int dripMs = -1;                   // >= 0: the reply goes one byte at a time, this far apart,
    int dripFrom = 0;                  // from this byte
    int dripTo = -1;                   // to this one (-1: to its end)
    int pauseAfter = -1;               // >= 0: the reply pauses after this many bytes...
    int pauseMs = 0;                   // ...for this long
    std::vector<std::size_t> pieces{}; // the reply in separate writes of these sizes, the rest in one
};

// The scripted server of scripted_server.py in a child process on 127.0.0.1,
// stopped when this object goes.
class ServerProcess
{
public:
    explicit ServerProcess(const ServerScript& script);
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    int port() const { return m_port; }
    // "https://127.0.0.1:PORT" and path (http:// for a plain server).
    std::string url(const std::string& path = "/") const;
    // Waits until the server has taken all its connections, then gives the
    // requests it received, in order.
    std::vector<std::string> requests();

private:
    std::string m_folder;
    bool m_secure;
    int m_pid = -1;
    int m_port = 0;
};
