#pragma once

#include <stdexcept>
#include <string>

// Every failure the program reports is an exception carrying its message as
// UTF-8 text; the application's error report shows it with a "." appended.
class TeamEditorError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A text that is not a whole number: "'%s' is not a valid integer value".
class EConvertError : public TeamEditorError
{
public:
    using TeamEditorError::TeamEditorError;
};

// A file that cannot be opened, created or written. The message is the
// program's own ("Cannot open file x.htm"); the reason, when the system gave
// one, is its account of the failure ("No such file or directory").
class EFileError : public TeamEditorError
{
public:
    explicit EFileError(const std::string& message, std::string reason = {})
        : TeamEditorError(message), m_reason(std::move(reason))
    {
    }

    const std::string& reason() const { return m_reason; }

private:
    std::string m_reason;
};

// A file that holds nothing of a roster: "Not a roster page".
class ENotRosterPage : public TeamEditorError
{
public:
    using TeamEditorError::TeamEditorError;
};

// A page that another roster tool made: the importer makes more of it than
// the reader, so it is no roster page of this program's to read or write
// over. "Made by another roster tool".
class EOtherToolPage : public TeamEditorError
{
public:
    using TeamEditorError::TeamEditorError;
};

// A page larger than the reader holds: "Page too large: %s" comes as a file
// error before the read; "Match record too large" ends a read whose match
// record grows beyond MaxMatchRecordRows rows or MaxMatchRecordColumns columns.
class ELimitError : public TeamEditorError
{
public:
    using TeamEditorError::TeamEditorError;
};
