#include "RosterPaper.h"

#include "ColorText.h"
#include "Errors.h"
#include "MatchRecordCut.h"
#include "PageStore.h"
#include "RosterPage.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <optional>

namespace {

// The roster is laid out on an image of this resolution and scaled to the
// device it is painted on, so that its fit does not depend on the device.
constexpr int layoutDpi = 300;
constexpr qreal marginMillimetres = 10;
// A text width far beyond any roster's unwrapped line (a page's line holds
// at most 4,096 bytes, some 100,000 pixels at 10 points). Laid out this wide
// the roster takes its natural size at one layout, where a layout with no
// width at all lays centred text out a second time to centre it.
constexpr qreal unboundedWidth = 4e6;
// Base font sizes tried in turn until the roster fits its page.
constexpr std::array fontPointSizes = {10.0, 9.0, 8.0, 7.5, 7.0, 6.5, 6.0, 5.5, 5.0};

constexpr TColor white = 0xFFFFFF;
constexpr TColor black = 0x000000;

void makeBlackAndWhite(RosterSheet& sheet)
{
    sheet.setColor(SheetColor::Window, white);
    sheet.setColor(SheetColor::Table, white);
    sheet.setColor(SheetColor::Headings, white);
    sheet.setFont(SheetFont::Table, sheet.fontName(SheetFont::Table), black);
    sheet.setFont(SheetFont::Heading, sheet.fontName(SheetFont::Heading), black);
}

QColor qColor(TColor color)
{
    return QColor(QString::fromLatin1("#" + ColorToHTML(color)));
}

// The writer's page, in the part of HTML a text document understands: no
// comment block (its "--!>" closings are not read as ends of comments), the
// blanks closed with a semicolon, cells given a little room, and the
// alignment a browser takes from a row given to each of its cells. The two
// one-cell spacer rows, which a browser draws as thin lines, would take two
// full empty rows here and are left out.
QString paperHtml(const RosterSheet& sheet, const QString& note)
{
    static const QRegularExpression openBlank(QStringLiteral("&nbsp(?!;)"));
    static const QRegularExpression centredRow(
        QStringLiteral("^<TR (BGCOLOR=\"#[0-9A-F]+\" )?ALIGN=CENTER>"));
    static const QRegularExpression plainCell(QStringLiteral("<T([DH])(>| COLSPAN)"));
    const QString spacerRows = QStringLiteral("<TR><TD></TD></TR><TR><TD></TD></TR>");
    QString html;
    for (const std::string& bytes : buildRosterPage(sheet)) {
        QString line = decodeText(bytes, sheet.encoding());
        if (line.startsWith(QLatin1String("<!--")) || line == spacerRows)
            continue;
        if (line.startsWith(QLatin1String("<TABLE BORDER=1 ")))
            line.insert(15, QLatin1String(" CELLSPACING=0 CELLPADDING=2"));
        if (centredRow.match(line).hasMatch())
            line.replace(plainCell, QStringLiteral("<T\\1 ALIGN=CENTER\\2"));
        line.replace(openBlank, QStringLiteral("&nbsp;"));
        html += line;
        html += u'\n';
    }
    if (!note.isEmpty())
        html += "<P>" + note.toHtmlEscaped() + "</P>\n";
    return html;
}

// The image every roster is laid out on, one a thread, as rosters may be
// laid out on several at once.
QImage& layoutDevice()
{
    thread_local QImage image = [] {
        QImage made(1, 1, QImage::Format_RGB32);
        const int dotsPerMetre = qRound(layoutDpi / 0.0254);
        made.setDotsPerMeterX(dotsPerMetre);
        made.setDotsPerMeterY(dotsPerMetre);
        return made;
    }();
    return image;
}

QMarginsF margins()
{
    return {marginMillimetres, marginMillimetres, marginMillimetres, marginMillimetres};
}

// The part of the match record that fits the page at the smallest font,
// below the rest of the roster as it lays out there.
MatchRecordCut matchRecordCutFor(const RosterSheet& sheet, const QPageLayout& layout, QFont font)
{
    const MatchRecordCut whole = wholeMatchRecord(sheet);
    // Records of a few dozen rows and columns are laid out whole, as ever.
    if (whole.totalRows <= 40 && whole.totalColumns <= 16)
        return whole;
    font.setPointSizeF(fontPointSizes.back());
    const QSizeF page = layout.paintRectPixels(layoutDpi).size();
    RosterSheet rest(sheet);
    applyMatchRecordCut(rest, {0, whole.totalRows, 1, whole.totalColumns});
    QTextDocument probe;
    probe.documentLayout()->setPaintDevice(&layoutDevice());
    probe.setDocumentMargin(0);
    probe.setDefaultFont(font);
    probe.setTextWidth(page.width());
    probe.setHtml(paperHtml(rest, QStringLiteral("note")));
    return fittingMatchRecord(sheet, page, probe.size().height(), font, &layoutDevice());
}

// What the document takes up at its current text width; a table whose cells
// cannot be made narrower reaches beyond that width.
QSizeF laidOutSize(QTextDocument& document)
{
    const QSizeF size = document.documentLayout()->documentSize();
    return {qMax(size.width(), document.idealWidth()), size.height()};
}

bool fits(const QSizeF& size, const QSizeF& page)
{
    return size.width() <= page.width() + 0.5 && size.height() <= page.height() + 0.5;
}

// What the document takes up when no line is wrapped, laid out at the
// unbounded width: its width leaves out the room for centring. That width
// can come out a pixel or two wider than a layout with no width gives, so a
// roster about as wide as tall is measured that way too, and its paper is
// turned as it always was.
QSizeF naturalSize(QTextDocument& document)
{
    constexpr qreal nearlySquare = 32;
    const QSizeF size(document.idealWidth(), document.documentLayout()->documentSize().height());
    if (qAbs(size.width() - size.height()) > nearlySquare)
        return size;
    document.setTextWidth(-1);
    const QSizeF withoutWidth = laidOutSize(document);
    document.setTextWidth(unboundedWidth);
    return withoutWidth;
}

} // namespace

RosterPaper::RosterPaper(const RosterSheet& sheet, const PaperOptions& options)
    : m_document(std::make_unique<QTextDocument>()), m_title(sheet.cell(SheetGrid::Details, 1, 0))
{
    std::optional<RosterSheet> changed;
    if (options.blackAndWhite)
        makeBlackAndWhite(changed.emplace(sheet));
    m_pageColor = qColor((changed ? *changed : sheet).color(SheetColor::Window));

    m_document->documentLayout()->setPaintDevice(&layoutDevice());
    m_document->setDocumentMargin(0);
    // Font and width are set before the text, which is then laid out once:
    // each later change lays the whole roster out again.
    QFont font = m_document->defaultFont();
    // Without ligatures a name such as "Stonefist" stays searchable and
    // copyable as typed in the PDF.
    font.setStyleStrategy(QFont::PreferNoShaping);
    font.setPointSizeF(fontPointSizes.front());
    m_document->setDefaultFont(font);
    m_document->setTextWidth(unboundedWidth);

    // A match record far larger than a sheet shows is cut to its first rows
    // and columns that fit, with a note of the rest: the roster stays on one
    // readable sheet, and laying it out takes bounded time and memory.
    const QPageLayout portrait(options.pageSize, QPageLayout::Portrait, margins(), QPageLayout::Millimeter);
    const QPageLayout landscape(options.pageSize, QPageLayout::Landscape, margins(), QPageLayout::Millimeter);
    const RosterSheet& full = changed ? *changed : sheet;
    std::optional<RosterSheet> cutSheet;
    const auto show = [&](const QPageLayout& layout) {
        const MatchRecordCut cut = matchRecordCutFor(full, layout, font);
        const RosterSheet* shown = &full;
        if (cut.cuts()) {
            cutSheet.emplace(full);
            applyMatchRecordCut(*cutSheet, cut);
            shown = &*cutSheet;
        }
        m_document->setHtml(paperHtml(*shown, cut.cuts() ? cut.note() : QString()));
        return cut;
    };
    const MatchRecordCut portraitCut = show(portrait);

    // Landscape when the roster, at the largest font and with no width to
    // keep to, is wider than tall.
    QSizeF natural = naturalSize(*m_document);
    const bool wide = natural.width() > natural.height();
    m_pageLayout = wide ? landscape : portrait;
    if (wide && portraitCut.cuts()) {
        show(landscape);
        natural = naturalSize(*m_document);
    }
    const QSizeF page = m_pageLayout.paintRectPixels(layoutDpi).size();
    fitToPage(page, natural);
    if (!options.findings.isEmpty()) {
        font.setPointSizeF(m_fontPointSize);
        m_findings = std::make_unique<FindingsPaper>(options.findings, font, page, &layoutDevice());
    }
}

RosterPaper::~RosterPaper() = default;

QString RosterPaper::findingsText() const
{
    return m_findings ? m_findings->text() : QString();
}

qreal RosterPaper::rosterBottom() const
{
    return m_document->documentLayout()->documentSize().height() * m_shrink;
}

int RosterPaper::pageCount() const
{
    return 1 + (m_findings ? m_findings->extraPages(rosterBottom()) : 0);
}

void RosterPaper::layOutAt(qreal pointSize, qreal width)
{
    // Each change lays the whole roster out again: only a real one is made,
    // and when both change, the first is made while the document has no page
    // size, which it lays nothing out for, so that the roster is laid out
    // once.
    QFont font = m_document->defaultFont();
    const bool newFont = font.pointSizeF() != pointSize;
    const bool newWidth = m_document->textWidth() != width;
    if (newFont && newWidth)
        m_document->setPageSize(QSizeF(0, 0));
    font.setPointSizeF(pointSize);
    if (newFont)
        m_document->setDefaultFont(font);
    if (newWidth)
        m_document->setTextWidth(width);
    m_fontPointSize = pointSize;
}

void RosterPaper::fitToPage(const QSizeF& page, const QSizeF& natural)
{
    const qreal naturalPointSize = m_document->defaultFont().pointSizeF();
    // Unwrapped, the roster is at least its natural height scaled with the
    // font (its padding does not shrink with it), and wrapping only adds
    // lines: a size whose estimate overflows needs no layout.
    std::size_t largest = 0;
    while (largest + 1 < fontPointSizes.size() &&
           natural.height() * fontPointSizes[largest] / naturalPointSize > page.height())
        ++largest;
    const auto fitsAt = [&](std::size_t index) {
        layOutAt(fontPointSizes[index], page.width());
        return fits(laidOutSize(*m_document), page);
    };
    if (fitsAt(largest))
        return;
    // A smaller font never makes the roster larger: the largest size that
    // fits lies between one that does not and the smallest, and halving that
    // range finds it in a few layouts.
    std::size_t tooLarge = largest;
    std::size_t candidate = fontPointSizes.size() - 1;
    while (candidate - tooLarge > 1) {
        const std::size_t middle = (tooLarge + candidate) / 2;
        if (fitsAt(middle))
            candidate = middle;
        else
            tooLarge = middle;
    }
    if (fitsAt(candidate))
        return;
    // Even the smallest font overflows: shrink the whole roster rather than
    // cut it or spill it onto a second sheet. The roster is laid out on a
    // page that many times larger, so that it still takes the page's whole
    // width; the least shrink that fits is found by halving the interval.
    const auto fitsShrunk = [&](qreal shrink) {
        m_document->setTextWidth(page.width() / shrink);
        return fits(laidOutSize(*m_document), page / shrink);
    };
    const QSizeF size = laidOutSize(*m_document);
    qreal low = qMin(page.width() / size.width(), page.height() / size.height());
    qreal high = 1;
    // A wider layout is never taller, so this holds at once but for the
    // rounding of cell widths.
    while (!fitsShrunk(low) && low > 0.01)
        low /= 2;
    for (int step = 0; step < 8; ++step) {
        const qreal middle = (low + high) / 2;
        if (fitsShrunk(middle))
            low = middle;
        else
            high = middle;
    }
    m_shrink = low;
    fitsShrunk(m_shrink);
}

bool RosterPaper::print(QPagedPaintDevice& device) const
{
    if (!device.setPageLayout(m_pageLayout))
        return false;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    paint(painter, device.logicalDpiX());
    if (m_findings) {
        const qreal scale = device.logicalDpiX() / static_cast<qreal>(layoutDpi);
        painter.scale(scale, scale);
        if (!m_findings->paint(device, painter, rosterBottom()))
            return false;
    }
    return painter.end();
}

void RosterPaper::paint(QPainter& painter, int dotsPerInch) const
{
    painter.save();
    const qreal scale = dotsPerInch / static_cast<qreal>(layoutDpi);
    // The page colour covers the whole printable area, as the window's
    // background does on screen, not just the roster's own height.
    const QRectF page = m_pageLayout.paintRectPixels(dotsPerInch);
    painter.fillRect(QRectF(QPointF(0, 0), page.size()), m_pageColor);
    painter.scale(scale * m_shrink, scale * m_shrink);
    // The document sets the pen for all it draws with one. Left with none,
    // the painter has no pen to restore after each cell background or
    // border it fills, a change of state the PDF engine writes out each time.
    painter.setPen(Qt::NoPen);
    m_document->drawContents(&painter);
    painter.restore();
}

std::unique_ptr<QPdfWriter> makeRosterPdfWriter(QIODevice& device, const QString& title)
{
    auto writer = std::make_unique<QPdfWriter>(&device);
    writer->setResolution(layoutDpi);
    writer->setTitle(title);
    writer->setCreator(QStringLiteral("Team Editor"));
    return writer;
}

QByteArray rosterPdf(const RosterPaper& paper)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!paper.print(*makeRosterPdfWriter(buffer, paper.title())))
        throw EFileError("Cannot render the roster as PDF");
    return bytes;
}

void storeRosterPdf(const RosterSheet& sheet, const PaperOptions& options, const QString& fileName)
{
    const QByteArray pdf = rosterPdf(RosterPaper(sheet, options));
    storeFile(std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())), fileName);
}
