#include "RosterPdfBatch.h"

#include "Errors.h"
#include "PdfPageSplit.h"
#include "RosterPaper.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

RosterPdfBatch::RosterPdfBatch() = default;

RosterPdfBatch::~RosterPdfBatch()
{
    // A batch dropped untaken ends its document, which is thrown away.
    if (m_painter)
        m_painter->end();
}

void RosterPdfBatch::add(const RosterPaper& paper)
{
    if (!m_painter) {
        m_pdf.clear();
        m_buffer = std::make_unique<QBuffer>(&m_pdf);
        m_buffer->open(QIODevice::WriteOnly);
        m_writer = makeRosterPdfWriter(*m_buffer, QString());
        m_writer->setPageLayout(paper.pageLayout());
        m_painter = std::make_unique<QPainter>();
        if (!m_painter->begin(m_writer.get())) {
            m_painter.reset();
            throw EFileError("Cannot render the roster as PDF");
        }
    } else if (!m_writer->setPageLayout(paper.pageLayout()) || !m_writer->newPage()) {
        throw EFileError("Cannot render the roster as PDF");
    }
    paper.paint(*m_painter, m_writer->logicalDpiX());
    m_titles.push_back(paper.title());
}

std::vector<QByteArray> RosterPdfBatch::take()
{
    if (!m_painter)
        return {};
    const bool ended = m_painter->end();
    m_painter.reset();
    m_writer.reset();
    m_buffer.reset();
    std::vector<QString> titles;
    titles.swap(m_titles);
    if (!ended)
        throw EFileError("Cannot render the roster as PDF");
    return splitPdfPages(m_pdf, titles);
}
