#pragma once

#include "LeagueRules.h"

#include <QObject>
#include <QString>

#include <optional>

// The league rules the editor checks the shown roster against, if any, and
// the file they came from. Everything that knows the league (the pickers, the
// findings, the team rating) asks here and follows changed().
class ActiveRules : public QObject
{
    Q_OBJECT
public:
    explicit ActiveRules(QObject* parent = nullptr);

    // The loaded rules; null while the editor has none.
    const LeagueRules* rules() const { return m_rules ? &*m_rules : nullptr; }
    const QString& path() const { return m_path; }

    // Rules read from path replace the ones loaded.
    void load(LeagueRules rules, const QString& path);
    // The editor goes on without rules.
    void drop();

signals:
    void changed();

private:
    std::optional<LeagueRules> m_rules;
    QString m_path;
};
