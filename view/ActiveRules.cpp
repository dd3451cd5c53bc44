#include "ActiveRules.h"

ActiveRules::ActiveRules(QObject* parent) : QObject(parent)
{
}

void ActiveRules::load(LeagueRules rules, const QString& path)
{
    m_rules = std::move(rules);
    m_path = path;
    emit changed();
}

void ActiveRules::drop()
{
    if (!m_rules)
        return;
    m_rules.reset();
    m_path.clear();
    emit changed();
}
