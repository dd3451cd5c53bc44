#include "TlsSession.h"

#include "NetErrors.h"

#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

#include <arpa/inet.h>
#include <poll.h>
#include <signal.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <memory>

namespace {

// One context for the process: loading the trust store costs more than a handshake.
SSL_CTX* clientContext()
{
    static const std::unique_ptr<SSL_CTX, decltype(&SSL_CTX_free)> context = [] {
        std::unique_ptr<SSL_CTX, decltype(&SSL_CTX_free)> made(SSL_CTX_new(TLS_client_method()),
                                                               &SSL_CTX_free);
        if (made) {
            SSL_CTX_set_min_proto_version(made.get(), TLS1_2_VERSION);
            SSL_CTX_set_verify(made.get(), SSL_VERIFY_PEER, nullptr);
            SSL_CTX_set_default_verify_paths(made.get());
            // A reply read to the connection's end (HTTP/1.0) is often closed
            // without the close notice; a cut reply is caught by its length.
            SSL_CTX_set_options(made.get(), SSL_OP_IGNORE_UNEXPECTED_EOF);
            SSL_CTX_set_mode(made.get(), SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
        }
        return made;
    }();
    return context.get();
}

// OpenSSL writes to the socket with write(), which raises SIGPIPE on a
// connection the server has closed; that must end the fetch, not the program.
class SigpipeIgnored
{
public:
    SigpipeIgnored()
    {
        struct sigaction ignore
        {
        };
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        sigaction(SIGPIPE, &ignore, &m_previous);
    }
    ~SigpipeIgnored() { sigaction(SIGPIPE, &m_previous, nullptr); }
    SigpipeIgnored(const SigpipeIgnored&) = delete;
    SigpipeIgnored& operator=(const SigpipeIgnored&) = delete;

private:
    struct sigaction m_previous
    {
    };
};

// The reason of the most recent OpenSSL failure of this thread, or the
// platform's when OpenSSL has none.
std::string lastReason(int error)
{
    unsigned long code = 0;
    for (unsigned long next; (next = ERR_get_error()) != 0;)
        code = next;
    if (code != 0) {
        if (const char* reason = ERR_reason_error_string(code))
            return reason;
        return "error " + std::to_string(code);
    }
    if (error == SSL_ERROR_SYSCALL && errno != 0)
        return std::strerror(errno);
    return "connection closed by the server";
}

bool isAddress(const std::string& host)
{
    unsigned char address[16];
    return inet_pton(AF_INET, host.c_str(), address) == 1 || inet_pton(AF_INET6, host.c_str(), address) == 1;
}

} // namespace

TlsSession::TlsSession(int socket, const std::string& hostName) : m_hostName(hostName)
{
    SSL_CTX* context = clientContext();
    m_ssl = context ? SSL_new(context) : nullptr;
    if (!m_ssl || SSL_set_fd(m_ssl, socket) != 1) {
        const std::string reason = lastReason(0);
        if (m_ssl)
            SSL_free(m_ssl);
        throw ESockError("TLS handshake with " + hostName + " failed: " + reason);
    }
    // The certificate must name the host: an address among its IP entries, a
    // name among its DNS entries. Only a name is sent for SNI.
    X509_VERIFY_PARAM* check = SSL_get0_param(m_ssl);
    const bool address = isAddress(hostName);
    const int named = address ? X509_VERIFY_PARAM_set1_ip_asc(check, hostName.c_str())
                              : X509_VERIFY_PARAM_set1_host(check, hostName.c_str(), 0);
    if (named != 1 || (!address && SSL_set_tlsext_host_name(m_ssl, hostName.c_str()) != 1)) {
        SSL_free(m_ssl);
        throw ESockError("Certificate does not match host name " + hostName);
    }
    SSL_set_connect_state(m_ssl);
}

TlsSession::~TlsSession()
{
    SSL_free(m_ssl);
}

short TlsSession::handshake()
{
    const SigpipeIgnored quiet;
    ERR_clear_error();
    const int result = SSL_do_handshake(m_ssl);
    if (result == 1) {
        m_open = true;
        return 0;
    }
    switch (SSL_get_error(m_ssl, result)) {
    case SSL_ERROR_WANT_READ:
        return POLLIN;
    case SSL_ERROR_WANT_WRITE:
        return POLLOUT;
    default:
        failHandshake(result);
    }
}

void TlsSession::failHandshake(int result)
{
    const long verified = SSL_get_verify_result(m_ssl);
    if (verified == X509_V_ERR_HOSTNAME_MISMATCH || verified == X509_V_ERR_IP_ADDRESS_MISMATCH) {
        ERR_clear_error();
        throw ESockError("Certificate does not match host name " + m_hostName);
    }
    if (verified != X509_V_OK) {
        ERR_clear_error();
        throw ESockError("Certificate of " + m_hostName +
                         " not trusted: " + X509_verify_cert_error_string(verified));
    }
    throw ESockError("TLS handshake with " + m_hostName +
                     " failed: " + lastReason(SSL_get_error(m_ssl, result)));
}

void TlsSession::fail(int result, const char* what)
{
    throw ESockError(std::string(what) + " " + m_hostName +
                     " failed: " + lastReason(SSL_get_error(m_ssl, result)));
}

TlsSession::Step TlsSession::step(int result, bool reading)
{
    Step done;
    if (result > 0) {
        done.bytes = static_cast<std::size_t>(result);
        return done;
    }
    const int error = SSL_get_error(m_ssl, result);
    if (error == SSL_ERROR_WANT_READ)
        done.waitFor = POLLIN;
    else if (error == SSL_ERROR_WANT_WRITE)
        done.waitFor = POLLOUT;
    // The end of the connection, with or without the close notice; a reset
    // (errno set) has lost what was on its way and is a failure, as over http.
    else if (error == SSL_ERROR_ZERO_RETURN ||
             (error == SSL_ERROR_SYSCALL && reading && ERR_peek_error() == 0 && errno == 0))
        done.closed = true;
    else {
        m_open = false;
        fail(result, reading ? "Reading from" : "Writing to");
    }
    return done;
}

TlsSession::Step TlsSession::read(char* out, std::size_t max)
{
    const SigpipeIgnored quiet;
    ERR_clear_error();
    errno = 0;
    return step(SSL_read(m_ssl, out, static_cast<int>(std::min<std::size_t>(max, INT_MAX))), true);
}

TlsSession::Step TlsSession::write(const char* bytes, std::size_t size)
{
    const SigpipeIgnored quiet;
    ERR_clear_error();
    errno = 0;
    return step(SSL_write(m_ssl, bytes, static_cast<int>(std::min<std::size_t>(size, INT_MAX))), false);
}

void TlsSession::shutdown()
{
    if (!m_open)
        return;
    m_open = false;
    const SigpipeIgnored quiet;
    SSL_shutdown(m_ssl);
    ERR_clear_error();
}
