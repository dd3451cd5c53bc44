#include "PdfPageSplit.h"

#include "Errors.h"

#include <QRegularExpression>

#include <algorithm>
#include <map>
#include <set>

namespace {

[[noreturn]] void notSplittable(const char* why)
{
    throw EFileError(std::string("Cannot split the PDF document into pages: ") + why);
}

// An indirect object: where it starts and where the next one (or the
// cross-reference table) does.
struct ObjectSpan
{
    qsizetype begin = 0;
    qsizetype end = 0;
};

class PdfObjects
{
public:
    explicit PdfObjects(const QByteArray& pdf) : m_pdf(pdf)
    {
        const qsizetype startxref = pdf.lastIndexOf("startxref");
        if (startxref < 0)
            notSplittable("no cross-reference table");
        m_xref = pdf.mid(startxref + 9).trimmed().split('\n').value(0).trimmed().toLongLong();
        if (m_xref <= 0 || m_xref >= startxref || !pdf.mid(m_xref).startsWith("xref"))
            notSplittable("no cross-reference table");
        readTable();
        readTrailer();
    }

    const QByteArray& bytes(int number) const
    {
        const auto found = m_cache.find(number);
        if (found != m_cache.end())
            return found->second;
        const auto span = m_spans.find(number);
        if (span == m_spans.end())
            notSplittable("an object referred to is missing");
        return m_cache[number] = m_pdf.mid(span->second.begin, span->second.end - span->second.begin);
    }

    // The object up to its stream's data, where its references are.
    QByteArray dictionary(int number) const
    {
        const QByteArray& object = bytes(number);
        const qsizetype stream = object.indexOf("stream");
        return stream < 0 ? object : object.left(stream);
    }

    int size() const { return m_size; }
    int info() const { return m_info; }
    int root() const { return m_root; }
    QByteArray header() const { return m_pdf.left(m_firstObject); }

private:
    void readTable()
    {
        const QList<QByteArray> lines =
            m_pdf.mid(m_xref, m_pdf.indexOf("trailer", m_xref) - m_xref).split('\n');
        const QList<QByteArray> section = lines.value(1).trimmed().split(' ');
        if (section.size() != 2 || section[0] != "0")
            notSplittable("a cross-reference table of more than one section");
        m_size = section[1].toInt();
        if (m_size <= 0 || lines.size() < m_size + 2)
            notSplittable("a cut cross-reference table");
        std::vector<std::pair<qsizetype, int>> starts; // offset, number
        for (int number = 1; number < m_size; ++number) {
            const QList<QByteArray> entry = lines[number + 2].trimmed().split(' ');
            if (entry.size() == 3 && entry[2] == "n")
                starts.emplace_back(entry[0].toLongLong(), number);
        }
        std::sort(starts.begin(), starts.end());
        m_firstObject = starts.empty() ? m_xref : starts.front().first;
        for (std::size_t i = 0; i < starts.size(); ++i) {
            const qsizetype end = i + 1 < starts.size() ? starts[i + 1].first : m_xref;
            if (starts[i].first <= 0 || end <= starts[i].first)
                notSplittable("objects out of place");
            m_spans[starts[i].second] = {starts[i].first, end};
        }
    }

    void readTrailer()
    {
        static const QRegularExpression info(QStringLiteral("/Info (\\d+) 0 R"));
        static const QRegularExpression root(QStringLiteral("/Root (\\d+) 0 R"));
        const QString trailer = QString::fromLatin1(m_pdf.mid(m_pdf.indexOf("trailer", m_xref)));
        m_info = info.match(trailer).captured(1).toInt();
        m_root = root.match(trailer).captured(1).toInt();
        if (m_info == 0 || m_root == 0)
            notSplittable("no document information or catalogue");
    }

    const QByteArray& m_pdf;
    qsizetype m_xref = 0;
    qsizetype m_firstObject = 0;
    int m_size = 0;
    int m_info = 0;
    int m_root = 0;
    std::map<int, ObjectSpan> m_spans;
    mutable std::map<int, QByteArray> m_cache;
};

std::vector<int> references(const QByteArray& dictionary)
{
    static const QRegularExpression reference(QStringLiteral("(?<![\\d.])(\\d+) 0 R\\b"));
    std::vector<int> numbers;
    for (const QRegularExpressionMatch& match : reference.globalMatch(QString::fromLatin1(dictionary)))
        numbers.push_back(match.captured(1).toInt());
    return numbers;
}

// The catalogue's page tree, whose kids are the pages themselves.
std::pair<int, std::vector<int>> pageTree(const PdfObjects& objects)
{
    static const QRegularExpression pages(QStringLiteral("/Pages (\\d+) 0 R"));
    static const QRegularExpression kids(QStringLiteral("/Kids\\s*\\[([^\\]]*)\\]"));
    const int tree = pages.match(QString::fromLatin1(objects.dictionary(objects.root()))).captured(1).toInt();
    const QRegularExpressionMatch list = kids.match(QString::fromLatin1(objects.dictionary(tree)));
    if (tree == 0 || !list.hasMatch())
        notSplittable("no page tree");
    return {tree, references(list.captured(1).toLatin1())};
}

// The objects reached from start, the page tree and the document
// information left out: they are written anew for each page.
std::set<int> reachable(const PdfObjects& objects, int start, const std::set<int>& rewritten)
{
    std::set<int> reached;
    std::vector<int> waiting{start};
    while (!waiting.empty()) {
        const int number = waiting.back();
        waiting.pop_back();
        if (rewritten.count(number) != 0 || !reached.insert(number).second)
            continue;
        for (const int next : references(objects.dictionary(number)))
            waiting.push_back(next);
    }
    return reached;
}

// The document information with the page's title in place of the
// document's.
QByteArray infoWithTitle(const PdfObjects& objects, const QString& title)
{
    QByteArray info;
    for (const QByteArray& line : objects.bytes(objects.info()).split('\n')) {
        if (line.startsWith("/Title"))
            continue;
        info += line + '\n';
        if (line == "<<")
            info += "/Title " + pdfTextString(title) + '\n';
    }
    return info.left(info.size() - 1);
}

QByteArray onePage(const PdfObjects& objects, int tree, int page, const QString& title)
{
    const std::set<int> rewritten{tree, objects.info()};
    std::set<int> kept = reachable(objects, objects.root(), rewritten);
    kept.merge(reachable(objects, page, rewritten));

    QByteArray pdf = objects.header();
    std::map<int, qsizetype> offsets;
    const auto write = [&](int number, const QByteArray& object) {
        offsets[number] = pdf.size();
        pdf += object;
    };
    write(objects.info(), infoWithTitle(objects, title));
    write(tree, QByteArray::number(tree) + " 0 obj\n<<\n/Type /Pages\n/Kids [" + QByteArray::number(page) +
                    " 0 R]\n/Count 1\n>>\nendobj\n");
    for (const int number : kept)
        write(number, objects.bytes(number));

    // The objects of the other pages are left out: their entries join the
    // list of free ones, which the first entry starts.
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size()) + '\n';
    const auto nextFree = [&](int after) {
        int number = after + 1;
        while (number < objects.size() && offsets.count(number) != 0)
            ++number;
        return number < objects.size() ? number : 0;
    };
    pdf += QByteArray::number(nextFree(0)).rightJustified(10, '0') + " 65535 f \n";
    for (int number = 1; number < objects.size(); ++number) {
        const auto found = offsets.find(number);
        if (found != offsets.end())
            pdf += QByteArray::number(found->second).rightJustified(10, '0') + " 00000 n \n";
        else
            pdf += QByteArray::number(nextFree(number)).rightJustified(10, '0') + " 00001 f \n";
    }
    pdf += "trailer\n<<\n/Size " + QByteArray::number(objects.size()) + "\n/Info " +
           QByteArray::number(objects.info()) + " 0 R\n/Root " + QByteArray::number(objects.root()) +
           " 0 R\n>>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

} // namespace

QByteArray pdfTextString(const QString& text)
{
    QByteArray string("(\xFE\xFF");
    for (const QChar unit : text) {
        for (const char byte : {char(unit.unicode() >> 8), char(unit.unicode() & 0xFF)}) {
            if (byte == '(' || byte == ')' || byte == '\\')
                string += '\\';
            if (byte == '\r')
                string += "\\r";
            else
                string += byte;
        }
    }
    return string + ')';
}

std::vector<QByteArray> splitPdfPages(const QByteArray& pdf, const std::vector<QString>& titles)
{
    const PdfObjects objects(pdf);
    const auto [tree, pages] = pageTree(objects);
    if (pages.size() != titles.size())
        notSplittable("a title for each page is wanted");
    std::vector<QByteArray> documents;
    documents.reserve(pages.size());
    for (std::size_t index = 0; index < pages.size(); ++index)
        documents.push_back(onePage(objects, tree, pages[index], titles[index]));
    return documents;
}
