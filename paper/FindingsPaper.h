#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <memory>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
class QTextDocument;

// A list printed after the roster, such as what a league's rules find in
// it, for a league admin's copy: a heading and one paragraph a line.
struct PaperFindings
{
    QString heading; // none prints no list
    QStringList lines;

    bool isEmpty() const { return heading.isEmpty(); }
};

// The findings list laid out in pages of the roster's paper: below the
// roster when it fits there whole, otherwise from the top of the following
// page, on as many pages as it takes, never cutting a line.
class FindingsPaper
{
public:
    // page is the paper's printable area in layout pixels, on layoutDevice's resolution.
    FindingsPaper(const PaperFindings& findings, QFont font, const QSizeF& page, QPaintDevice* layoutDevice);
    ~FindingsPaper();
    FindingsPaper(const FindingsPaper&) = delete;
    FindingsPaper& operator=(const FindingsPaper&) = delete;

    // Whether the list goes below a roster that ends at rosterBottom.
    bool fitsBelow(qreal rosterBottom) const;
    // The sheets the list adds after a roster that ends at rosterBottom.
    int extraPages(qreal rosterBottom) const;
    QString text() const;

    // Paints the list with painter, which paints the roster's page in layout pixels.
    // Returns false when the device cannot take another page.
    bool paint(QPagedPaintDevice& device, QPainter& painter, qreal rosterBottom) const;

private:
    // How far down the list's last line ends, on a page of its own.
    qreal contentHeight() const;

    std::unique_ptr<QTextDocument> m_document;
    QSizeF m_page;
};
