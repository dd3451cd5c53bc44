#pragma once

#include "Errors.h"
#include "LeagueRules.h"

#include <QByteArray>
#include <QString>

// A league rules file: JSON, one per league, as docs/league-rules.md
// describes it.

// Larger files are refused unread: a league's rules take a few kilobytes.
constexpr qint64 MaxRulesFileBytes = 4 * 1024 * 1024;

// A rules file that breaks the format: "league.json:12:5: "MA" must be a
// whole number from 1 to 10".
class ERulesFileError : public TeamEditorError
{
public:
    ERulesFileError(const QString& path, int line, int column, const QString& reason);

    int line() const { return m_line; }
    int column() const { return m_column; }
    const QString& reason() const { return m_reason; }

private:
    int m_line;
    int m_column;
    QString m_reason;
};

// Reads the rules in a file; throws EFileError when it cannot be read (or is
// not a regular file, or is larger than MaxRulesFileBytes) and
// ERulesFileError when it breaks the format.
LeagueRules readRulesFile(const QString& path);

// The rules in a file's bytes; path names the file in errors.
LeagueRules parseRules(const QByteArray& json, const QString& path);
