#include "ServerProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

extern char** environ;

namespace {

std::string newFolder(const char* prefix)
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / (std::string(prefix) + "XXXXXX")).string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    return pattern;
}

void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

class CertificateFolder
{
public:
    CertificateFolder() : m_path(newFolder("te-certs-"))
    {
        const std::string command = "bash '" TE_SUPPORT_DIR "/make-test-certs.sh' '" + m_path + "'";
        if (std::system(command.c_str()) != 0)
            throw std::runtime_error("cannot make the test certificates");
    }
    ~CertificateFolder() { std::filesystem::remove_all(m_path); }
    CertificateFolder(const CertificateFolder&) = delete;
    CertificateFolder& operator=(const CertificateFolder&) = delete;

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace

const std::string& TestCertificates::folder()
{
    static const CertificateFolder made;
    return made.path();
}

ServerProcess::ServerProcess(const ServerScript& script)
    : m_folder(newFolder("te-server-")), m_secure(!script.certificate.empty())
{
    std::vector<std::string> args = {"python3",       TE_SUPPORT_DIR "/scripted_server.py",
                                     "--log",         m_folder + "/log",
                                     "--connections", std::to_string(script.connections)};
    if (m_secure) {
        args.insert(args.end(), {"--cert", TestCertificates::file(script.certificate + ".pem"), "--key",
                                 TestCertificates::file(script.certificate + ".key")});
    }
    writeBytes(m_folder + "/reply", script.reply);
    args.insert(args.end(), {"--reply", m_folder + "/reply"});
    if (!script.repeat.empty()) {
        writeBytes(m_folder + "/repeat", script.repeat);
        args.insert(args.end(), {"--repeat", m_folder + "/repeat"});
    }
    for (const auto& [set, flag] :
         {std::pair{script.tls10Only, "--tls10"}, std::pair{script.holdOpen, "--hold-open"},
          std::pair{script.atOnce, "--at-once"}, std::pair{script.proxy, "--proxy"},
          std::pair{script.reset, "--reset"}}) {
        if (set)
            args.emplace_back(flag);
    }
    if (script.dripMs >= 0)
        args.insert(args.end(), {"--drip", std::to_string(script.dripMs), "--drip-range",
                                 std::to_string(script.dripFrom) + ":" + std::to_string(script.dripTo)});
    if (script.pauseAfter >= 0)
        args.insert(args.end(),
                    {"--pause", std::to_string(script.pauseAfter) + ":" + std::to_string(script.pauseMs)});
    if (!script.pieces.empty()) {
        std::string sizes;
        for (const std::size_t size : script.pieces)
            sizes += (sizes.empty() ? "" : ",") + std::to_string(size);
        args.insert(args.end(), {"--pieces", sizes});
    }
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    int output[2];
    if (pipe2(output, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot start the scripted server");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    pid_t pid = -1;
    const int spawned = posix_spawnp(&pid, "python3", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    if (spawned != 0) {
        close(output[0]);
        throw std::runtime_error("cannot start python3");
    }
    m_pid = pid;
    // The first line is the port; the pipe stays open to the end, unread.
    std::string line;
    char c;
    while (read(output[0], &c, 1) == 1 && c != '\n')
        line += c;
    close(output[0]);
    m_port = std::atoi(line.c_str());
    if (m_port <= 0)
        throw std::runtime_error("the scripted server did not start");
}

ServerProcess::~ServerProcess()
{
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
    }
    std::filesystem::remove_all(m_folder);
}

std::string ServerProcess::url(const std::string& path) const
{
    return (m_secure ? "https://127.0.0.1:" : "http://127.0.0.1:") + std::to_string(m_port) + path;
}

std::vector<std::string> ServerProcess::requests()
{
    if (m_pid > 0) {
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
    std::ifstream in(m_folder + "/log", std::ios::binary);
    const std::string all{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> requests;
    for (std::size_t start = 0; start < all.size();) {
        const std::size_t end = all.find('\0', start);
        requests.push_back(all.substr(start, end - start));
        start = end == std::string::npos ? all.size() : end + 1;
    }
    return requests;
}
