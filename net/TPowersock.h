#pragma once

#include "ShortString.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TlsSession;

// One TCP client connection over IPv4, optionally secured by TLS (StartTls),
// whose operations look blocking to the caller: every wait polls the
// non-blocking socket in short rounds and runs the application's event pump
// (EventPump.h) between them, so the windows stay responsive during a
// transfer. Every wait can be limited by TimeOut and ended by Cancel;
// connecting is limited by ConnectTimeOut and a transfer that stalls by
// ReplyTimeOut. Failures raise ESockError.
//
// An instance is used from one thread. Cancel is meant to be called from a
// handler that the event pump runs while an operation waits.
class TPowersock
{
public:
    using StatusEvent = std::function<void(TPowersock& sender, const std::string& text)>;
    using NotifyEvent = std::function<void(TPowersock& sender)>;
    using ByteSink = std::function<void(std::string_view bytes)>;

    static constexpr std::int64_t noLimit = std::numeric_limits<std::int64_t>::max();

    // Throws ESockError when no socket can be created.
    TPowersock();
    virtual ~TPowersock();
    TPowersock(const TPowersock&) = delete;
    TPowersock& operator=(const TPowersock&) = delete;

    ShortString Host;  // name or dotted IPv4 address
    int Port = 0;      // used as 16 bits
    ShortString Proxy; // when set, replaces Host for lookup and connection
    int ProxyPort = 0; // replaces Port when Proxy is set
    int TimeOut = 0;   // limit of each single wait in milliseconds; 0: none
    // Limit in milliseconds of host lookup, connection and TLS handshake
    // together ("Timed out connecting to %s"); 0: none.
    int ConnectTimeOut = 15000;
    // Limit in milliseconds of a transfer without progress once connected
    // ("Timed out waiting for %s"); 0: none. A slow but steady reply never hits it.
    int ReplyTimeOut = 30000;
    // Limit in milliseconds of a whole fetch, from its start (startFetchClock)
    // to its end, however steadily the bytes come ("Timed out waiting for
    // %s"); 0: none.
    int MaxTime = 5 * 60 * 1000;
    int ReportLevel = 1; // status reports of this level or lower are delivered
    bool BeenCanceled = false;
    int LastErrorNo = 0; // errno of the last failure seen by CheckError
    StatusEvent OnStatus;
    NotifyEvent OnPacketRecvd; // after every chunk moved by CaptureFile or SendStream
    NotifyEvent OnDisconnect;  // when the peer's close is noticed

    const std::string& Status() const { return m_status; }
    bool Connected() const { return m_connected; }
    bool BeenTimedOut() const { return m_timedOut; }
    std::uint16_t ReplyNumber() const { return m_replyNumber; }
    int Handle() const { return m_socket; }
    std::int64_t BytesTotal() const { return m_bytesTotal; }
    std::int64_t BytesRecvd() const { return m_bytesRecvd; }
    // Dotted form of the address of the last Connect.
    std::string RemoteIP() const;

    void Connect();
    // Secures the open connection, checking the certificate against hostName.
    // Throws ESockError with what failed and for which host.
    void StartTls(const std::string& hostName);
    bool Secure() const { return m_tls != nullptr; }
    void Disconnect();
    // One line, line end included, at most 255 bytes; empty when the peer has
    // closed and nothing is left. Bytes after the line stay in the connection.
    std::string ReadLn();
    // Stores what arrives in the file Name until the peer closes or maxBytes
    // have been stored.
    void CaptureFile(const std::string& name, std::int64_t maxBytes = noLimit);
    // The same, handing the bytes to store as they arrive.
    void CaptureFile(const ByteSink& store, std::int64_t maxBytes = noLimit);
    // Sends the whole stream from its start.
    void SendStream(std::istream& stream);
    void Cancel();
    void ReportStatus(int level, const std::string& text);

protected:
    // Waits until the connection is readable; true when bytes are waiting,
    // false when the peer has closed and nothing is left.
    bool hasMoreData();
    // Takes up to max received bytes, waiting for at least one; 0 once the
    // peer has closed and nothing is left.
    std::size_t readSome(char* out, std::size_t max);
    // The name the connection goes to: Proxy when set, else Host.
    const std::string& connectionName() const;
    // MaxTime counts from here until stopFetchClock.
    void startFetchClock();
    void stopFetchClock();

    std::uint16_t m_replyNumber = 0;
    std::int64_t m_bytesTotal = 0;
    std::int64_t m_bytesRecvd = 0;

private:
    // The messages of one kind of wait: timed out, cancelled, failed.
    struct WaitMessages;
    static const WaitMessages lookupWait;
    static const WaitMessages connectionWait;
    static const WaitMessages readWait;
    static const WaitMessages writeWait;
    short wait(const WaitMessages& messages, int fd, short events);
    void WaitForRead();
    void WaitForWrite();
    void StartTimer();
    void StopTimer();
    void TimerFired();
    int pollRoundMs() const;

    void ResolveHost();
    void startConnect();
    void openSocket();
    void CloseSocket();
    void CheckError(int error);
    // The limit of the current phase: connecting, or a transfer that must progress.
    void limitConnecting();
    void limitTransfer();
    void noteProgress();
    bool limitPassed() const;
    bool fetchClockPassed() const;
    // Throws the time-out when the whole fetch has taken too long.
    void checkFetchClock();
    std::size_t receiveSome(char* out, std::size_t max);
    long receive(char* out, std::size_t max, short& events);
    long transmit(const char* bytes, std::size_t size, short& events);
    bool fillInbox();
    void waitForLongerLine();
    std::size_t inboxSize() const { return m_inbox.size() - m_inboxStart; }
    std::string takeFromInbox(std::size_t count);
    void noticeClose();

    int m_socket = -1;
    std::unique_ptr<TlsSession> m_tls;
    // Bytes received but not taken yet: ReadLn reads ahead of a line end.
    std::vector<char> m_inbox;
    std::size_t m_inboxStart = 0;
    bool m_peerClosed = false;
    std::chrono::steady_clock::time_point m_connectStart;
    bool m_limitActive = false;
    bool m_limitOnProgress = false;
    std::chrono::steady_clock::time_point m_limitDeadline;
    std::string m_limitMessage;
    bool m_fetchClockRunning = false;
    std::chrono::steady_clock::time_point m_fetchDeadline;
    std::uint32_t m_remoteAddress = 0; // network byte order; 0: none
    std::string m_status;
    bool m_connected = false;
    bool m_closeNoticed = false;
    bool m_timedOut = false;
    bool m_timerEnabled = false;
    std::chrono::steady_clock::time_point m_deadline;
};
