#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// Splits a PDF document as Qt's PDF engine writes it (a cross-reference
// table, every object written once) into one document per page, in page
// order. Each keeps the objects its page draws with (its contents, fonts and
// other resources) under their own numbers and is given the title of the same
// index; the rest of the document information is kept as it was. Throws
// EFileError when the document is not laid out that way or the titles do not
// match the pages.
std::vector<QByteArray> splitPdfPages(const QByteArray& pdf, const std::vector<QString>& titles);

// The title as a PDF text string: UTF-16 with its byte order mark, in a
// literal string whose brackets, backslashes and carriage returns are escaped.
QByteArray pdfTextString(const QString& text);
