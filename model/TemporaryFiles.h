#pragma once

#include <string>

// The files the process is writing under temporary names. Should SIGINT or
// SIGTERM end the process while one is being written, the handlers that
// removeOnSignals() installs remove them all before the process ends with the
// signal's usual status, so that nothing partial stays behind.
class TemporaryFiles
{
public:
    // Files written at the same time; a command writes one or two.
    static constexpr int capacity = 16;

    // Notes a temporary file; returns its slot, or -1 when all are taken
    // (the file is then not removed by a signal, as before these handlers).
    static int add(const std::string& path);
    // Forgets the file of the slot (renamed into place, or removed). A slot
    // of -1 is ignored.
    static void forget(int slot);
    static void removeOnSignals();
};

// The name for a new temporary file beside target: ".NAME.<16 hex digits>" in
// target's folder, so that a rename puts it in place atomically. When that
// passes the folder's limit on name length, NAME is shortened (between
// characters) and the random part kept.
std::string temporarySibling(const std::string& target);
