#pragma once

#include "FindingsPaper.h"
#include "PageSizeChoice.h"
#include "RosterSheet.h"

#include <QByteArray>
#include <QColor>
#include <QPageLayout>
#include <QString>

#include <memory>

class QIODevice;
class QPagedPaintDevice;
class QPainter;
class QPdfWriter;
class QTextDocument;

struct PaperOptions
{
    QPageSize pageSize = localPageSize();
    // Drops the page, table and heading backgrounds and prints all text in
    // black, for printers that waste ink on colour.
    bool blackAndWhite = false;
    // Printed after the roster, below it or on the following pages.
    PaperFindings findings;
};

// The roster page as the writer builds it, laid out to fit one sheet of
// paper: landscape when the roster is wider than tall, the font made smaller
// (and the cells wrapped) until it fits, and scaled down as a last resort. A
// match record with more rows than the sheet could show at the smallest font
// prints its first rows and a line saying how many were left out.
// Needs a QGuiApplication for its fonts.
class RosterPaper
{
public:
    RosterPaper(const RosterSheet& sheet, const PaperOptions& options = {});
    ~RosterPaper();
    RosterPaper(const RosterPaper&) = delete;
    RosterPaper& operator=(const RosterPaper&) = delete;

    // The page size, orientation and margins the roster was laid out for.
    const QPageLayout& pageLayout() const { return m_pageLayout; }
    // The base font size chosen to fit, in points.
    qreal fontPointSize() const { return m_fontPointSize; }
    // Below 1 when even the smallest font did not fit and the roster is shrunk.
    qreal shrink() const { return m_shrink; }
    // The team name, as the document's title.
    const QString& title() const { return m_title; }
    // The findings list as printed; empty without one.
    QString findingsText() const;
    // One for the roster, and those the findings list adds.
    int pageCount() const;

    // Sets the device's page layout and paints the roster as its first page,
    // followed by the findings list if any.
    // Returns false when the device cannot be painted on.
    bool print(QPagedPaintDevice& device) const;
    // Paints the roster on the painter's current page, which has the layout
    // pageLayout() and this resolution.
    void paint(QPainter& painter, int dotsPerInch) const;

private:
    void fitToPage(const QSizeF& page, const QSizeF& natural);
    // Lays the roster out with this base font size and text width.
    void layOutAt(qreal pointSize, qreal width);
    // Where the roster ends on its page, in layout pixels.
    qreal rosterBottom() const;

    std::unique_ptr<QTextDocument> m_document;
    std::unique_ptr<FindingsPaper> m_findings;
    QString m_title;
    QColor m_pageColor;
    QPageLayout m_pageLayout;
    qreal m_fontPointSize = 0;
    qreal m_shrink = 1;
};

// A PDF writer on device, at the resolution rosters are laid out for.
std::unique_ptr<QPdfWriter> makeRosterPdfWriter(QIODevice& device, const QString& title);

// The roster as a PDF document: one page, and those of its findings list.
QByteArray rosterPdf(const RosterPaper& paper);

// Writes the roster's PDF to fileName through the page store, atomically.
// Throws EFileError with the store's messages.
void storeRosterPdf(const RosterSheet& sheet, const PaperOptions& options, const QString& fileName);
