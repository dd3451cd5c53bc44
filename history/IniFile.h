#pragma once

#include <QString>
#include <QtGlobal>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A small ini file in the usual profile form: "[Section]" lines and
// "key=value" lines. Sections and keys are matched without regard to ASCII
// letter case; names and values are byte strings. Every call opens, reads
// (and for writes, replaces) and closes the file, so nothing stays open between
// calls and lines written by others in between are kept. A file is replaced
// whole through a temporary file and a rename, so a failed write never leaves
// it cut short.
class IniFile
{
public:
    // Where the key of an entry line ends. FirstEquals is the usual form;
    // LastEquals suits sections whose keys may hold "=" and whose values never do.
    enum class KeyEnd
    {
        FirstEquals,
        LastEquals
    };

    // The key names of a section are gathered as into a buffer of this many
    // characters: each name followed by a NUL and the list ended by one more
    // NUL. A name that does not fit whole is not read, nor any after it.
    static constexpr std::size_t KeyNameBufferSize = 8192;

    // A file larger than this is not read: every call throws ELimitError
    // "History file too large: <path>", and no write replaces the file.
    static constexpr qint64 SizeLimit = qint64{1} << 20;

    explicit IniFile(QString path);

    const QString& path() const { return m_path; }

    // No buffer: every key name of the section is read (the file's size
    // limit bounds them).
    static constexpr std::size_t WholeSection = SIZE_MAX;

    // The key names of the first section of that name, in file order, as
    // many as a buffer of bufferSize characters holds. A missing file or
    // section gives an empty list.
    std::vector<std::string> readKeyNames(std::string_view section, KeyEnd keyEnd = KeyEnd::FirstEquals,
                                          std::size_t bufferSize = KeyNameBufferSize) const;

    // The value of the key as an integer: decimal with an optional sign, or
    // "0x"/"0X" and hexadecimal digits (a 32-bit pattern, so 0xFFFFFFFF is -1).
    // A missing key gives defaultValue; a value that is no such number gives 0.
    int readInteger(std::string_view section, std::string_view key, int defaultValue) const;

    // Sets the key's value: the first entry with that key is rewritten in
    // place, a new key goes after the last entry of its section, and a missing
    // section is appended at the end of the file. The read and the write hold
    // a lock file beside the file ("<path>.lock"), so that writes of several
    // processes follow one another; a lock that stays the same for 2 s (held
    // by an editor that stopped, or no lock file at all) fails the write,
    // while one that changes hands is waited for up to 20 s.
    // Throws EFileError "Unable to write to <path>: <reason>" when the file
    // cannot be replaced (or is no regular file), when the lock cannot be had,
    // when the key or the value holds a line break, which the format cannot hold,
    // or when the file would grow past the size limit.
    void writeString(std::string_view section, std::string_view key, std::string_view value,
                     KeyEnd keyEnd = KeyEnd::FirstEquals) const;
    void writeInteger(std::string_view section, std::string_view key, int value) const;

    // The entries of the first section of that name, in file order, each key
    // ending at the first "=". A missing file or section gives an empty list.
    std::vector<std::pair<std::string, std::string>> readEntries(std::string_view section) const;
    // Replaces the entries of the section with these, in one write of the
    // file; other sections and the lines around them stay as they are. A
    // missing section is appended. Throws as writeString does.
    void replaceSection(std::string_view section,
                        const std::vector<std::pair<std::string, std::string>>& entries) const;

private:
    QString m_path;
};
