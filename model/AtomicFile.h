#pragma once

#include <string>
#include <string_view>

// A file written whole or not at all: the bytes go to a new temporary file
// beside the target (temporarySibling), which commit() renames over the
// target. Until then the target stays as it was, and the temporary file is
// removed when the object goes, or by SIGINT and SIGTERM once the process
// has TemporaryFiles::removeOnSignals().
class AtomicFile
{
public:
    // keepModeOf: an existing file whose permissions the new one takes
    // (the target's, when it is replaced); empty, or missing, for the usual
    // permissions of a new file. Throws EFileError "Cannot create file
    // <target>" with the system's reason, also for an existing target that
    // the process may not write.
    explicit AtomicFile(std::string target, const std::string& keepModeOf = {});
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Throws EFileError "Unable to write to <target>: <reason>", for
    // instance on a full disk.
    void append(std::string_view bytes);
    // Writes the file to the disk and renames it over the target. Throws
    // EFileError "Unable to write to <target>: <reason>" when the last bytes
    // cannot be written, or "Cannot create file <target>" with the reason
    // when the rename fails; the temporary file is removed either way.
    void commit();
    // Removes the temporary file; the target stays as it was.
    void discard();

private:
    std::string m_target;
    std::string m_temporaryName;
    int m_fd = -1;
    int m_slot = -1;
};
