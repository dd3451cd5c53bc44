#include "ChildProcess.h"

#include <sys/wait.h>
#include <unistd.h>

int inChildProcess(const std::function<int()>& body)
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(body());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<int> inChildProcesses(int count, const std::function<int(int)>& body)
{
    std::vector<pid_t> children;
    for (int i = 0; i < count; ++i) {
        const pid_t pid = fork();
        if (pid == 0)
            _exit(body(i));
        children.push_back(pid);
    }
    std::vector<int> statuses;
    for (const pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        statuses.push_back(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    }
    return statuses;
}

bool dropRootInChild()
{
    constexpr uid_t Nobody = 65534;
    return geteuid() != 0 || (setgid(Nobody) == 0 && setuid(Nobody) == 0);
}
