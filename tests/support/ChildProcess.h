#pragma once

#include <functional>
#include <vector>

// Runs body in a forked child, so that limits and a changed user stay there,
// and returns the child's exit status (-1 when it did not exit normally).
int inChildProcess(const std::function<int()>& body);

// Runs body(i) for i from 0 to count - 1 in as many forked children at the same
// time, and returns their exit statuses once all have ended.
std::vector<int> inChildProcesses(int count, const std::function<int(int)>& body);

// Inside a child: gives up root for the unprivileged user "nobody", for whom
// file and folder permissions apply. False when that fails.
bool dropRootInChild();
