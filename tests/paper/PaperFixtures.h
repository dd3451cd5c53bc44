#pragma once

#include "PageFixtures.h"
#include "RosterSheet.h"

#include <QString>
#include <QStringList>

#include <functional>

// Fonts need a QGuiApplication; on the offscreen platform unless the runner chose one.
void ensureGuiApplication();

// The most a roster holds: sixteen players with names of 40 characters and
// skills of 300, every number filled in. With wordedSkills false, the skills
// are one unbroken word that no cell can wrap.
RosterSheet widestSheet(bool wordedSkills);

// Runs store(target) as a plain user in a child process, target being name in
// a new read-only folder under parent. True when it threw the store's
// "Cannot create file <target>" and left the folder empty.
bool failsInReadOnlyFolder(const QString& parent, const QString& name,
                           const std::function<void(const QString& target)>& store);
