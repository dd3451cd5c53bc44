#pragma once

#include <functional>

// Runs body in a forked child, so that limits and a changed user stay there,
// and returns the child's exit status (-1 when it did not exit normally).
int inChildProcess(const std::function<int()>& body);

// Inside a child: gives up root for the unprivileged user "nobody", for whom
// file and folder permissions apply. False when that fails.
bool dropRootInChild();
