#include "FindingsPaper.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>

namespace {

// Room between the roster and the list, in layout pixels.
constexpr qreal Gap = 40;

QString listHtml(const PaperFindings& findings)
{
    QString html = QStringLiteral("<p><b>%1</b></p>").arg(findings.heading.toHtmlEscaped());
    for (const QString& line : findings.lines)
        html += QStringLiteral("<p>%1</p>").arg(line.toHtmlEscaped());
    return html;
}

} // namespace

FindingsPaper::FindingsPaper(const PaperFindings& findings, QFont font, const QSizeF& page,
                             QPaintDevice* layoutDevice)
    : m_document(std::make_unique<QTextDocument>()), m_page(page)
{
    m_document->documentLayout()->setPaintDevice(layoutDevice);
    m_document->setDocumentMargin(0);
    m_document->setDefaultFont(font);
    // Laid out in pages, so that no line is cut between two sheets.
    m_document->setPageSize(page);
    m_document->setHtml(listHtml(findings));
}

FindingsPaper::~FindingsPaper() = default;

qreal FindingsPaper::contentHeight() const
{
    return m_document->documentLayout()->blockBoundingRect(m_document->lastBlock()).bottom();
}

bool FindingsPaper::fitsBelow(qreal rosterBottom) const
{
    return m_document->pageCount() == 1 && rosterBottom + Gap + contentHeight() <= m_page.height();
}

int FindingsPaper::extraPages(qreal rosterBottom) const
{
    return fitsBelow(rosterBottom) ? 0 : m_document->pageCount();
}

QString FindingsPaper::text() const
{
    return m_document->toPlainText();
}

bool FindingsPaper::paint(QPagedPaintDevice& device, QPainter& painter, qreal rosterBottom) const
{
    if (fitsBelow(rosterBottom)) {
        // On a white ground, so that the list reads on any page colour.
        const QRectF list(0, 0, m_page.width(), contentHeight());
        painter.save();
        painter.translate(0, rosterBottom + Gap);
        painter.fillRect(list, Qt::white);
        m_document->drawContents(&painter, list);
        painter.restore();
        return true;
    }
    for (int index = 0; index < m_document->pageCount(); ++index) {
        if (!device.newPage())
            return false;
        const QRectF part(0, index * m_page.height(), m_page.width(), m_page.height());
        painter.save();
        painter.translate(0, -part.top());
        m_document->drawContents(&painter, part);
        painter.restore();
    }
    return true;
}
