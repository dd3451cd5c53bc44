#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

class QBuffer;
class QPainter;
class QPdfWriter;
class RosterPaper;

// Rosters printed as the pages of one PDF document, then handed back as a
// one-page document each, as rosterPdf makes them. Qt's PDF engine embeds
// the subset of each font once a document, which takes longer than laying
// out and painting a roster: rosters printed together share that work.
// Needs a QGuiApplication for its fonts.
class RosterPdfBatch
{
public:
    RosterPdfBatch();
    ~RosterPdfBatch();
    RosterPdfBatch(const RosterPdfBatch&) = delete;
    RosterPdfBatch& operator=(const RosterPdfBatch&) = delete;

    // Prints the roster as the next page. Throws EFileError when it cannot
    // be painted.
    void add(const RosterPaper& paper);
    // The rosters added since the batch was last taken.
    std::size_t size() const { return m_titles.size(); }

    // The one-page PDF of each roster added, in the order they were added;
    // the batch is empty after. Throws EFileError when the document cannot be
    // finished.
    std::vector<QByteArray> take();

private:
    QByteArray m_pdf;
    std::unique_ptr<QBuffer> m_buffer;
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<QPainter> m_painter;
    std::vector<QString> m_titles;
};
