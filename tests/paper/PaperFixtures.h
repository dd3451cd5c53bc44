#pragma once

#include "RosterSheet.h"

#include <QString>
#include <QStringList>

// Fonts need a QGuiApplication; on the offscreen platform unless the runner chose one.
void ensureGuiApplication();

// The window's texts, colours and faces after the page at path was read.
RosterSheet sheetOfPage(const QString& path);
QString samplePagePath();

// The most a roster holds: sixteen players with names of 40 characters and
// skills of 300, every number filled in. With wordedSkills false, the skills
// are one unbroken word that no cell can wrap.
RosterSheet widestSheet(bool wordedSkills);

// Standard output of a tool, or an empty text when it failed.
QString toolOutput(const QString& program, const QStringList& arguments);
int pdfPageCount(const QString& pdfPath);
// The PDF's text with every run of white space made one blank.
QString pdfText(const QString& pdfPath);
