#pragma once

#include <QString>
#include <QStringList>

// The PDF tools of poppler-utils, run as processes.

// Standard output of a tool, or an empty text when it failed.
QString toolOutput(const QString& program, const QStringList& arguments);
// -1 when the file is no PDF.
int pdfPageCount(const QString& pdfPath);
// The PDF's text with every run of white space made one blank.
QString pdfText(const QString& pdfPath);
