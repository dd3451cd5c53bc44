#include "TForm_Parse.h"

#include "BusyCursor.h"
#include "ByteText.h"
#include "Choosers.h"
#include "Errors.h"
#include "PageHistory.h"
#include "RecentPages.h"
#include "RosterPage.h"
#include "RosterReader.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSize>
#include <string>
#include <utility>

namespace {

// The path box text that closes the dialog without reading a page.
const QString NoPage = QStringLiteral("<none>");
// A fetched page's body; a relative name, so it lands in the working directory.
constexpr const char* FetchedPageFile = "output1.htm";
// The HTTP client takes at most this many bytes of a URL.
constexpr std::size_t MaxRequestUrlLength = 255;

// A text is a URL when its first four characters are "HTTP" in any ASCII
// letter case; "https://" is one too, and so is a file name that starts so.
bool isUrl(const QString& text)
{
    // Characters beyond Latin-1 become "?", which matches no letter of the prefix.
    return startsWithIgnoringCase(text.left(4).toLatin1().toStdString(), "HTTP");
}

// The first bytes of a URL that the client sends, never cutting a character in two.
std::string requestUrl(const QString& url)
{
    std::string bytes = url.toStdString();
    if (bytes.size() > MaxRequestUrlLength) {
        std::size_t cut = MaxRequestUrlLength;
        while (cut > 0 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80)
            --cut;
        bytes.resize(cut);
    }
    return bytes;
}

// Places a control by its position and size at 120 pixels per inch. Without a
// screen the layout is that of a 96 pixels-per-inch screen.
class DesignScale
{
public:
    explicit DesignScale(const QScreen* screen)
        : m_factor(screen ? screen->logicalDotsPerInch() / 120.0 : 0.8)
    {
    }

    int operator()(int designPixels) const { return qRound(designPixels * m_factor); }

    void place(QWidget* control, int left, int top, int width, int height) const
    {
        control->setGeometry((*this)(left), (*this)(top), (*this)(width), (*this)(height));
    }

private:
    double m_factor;
};

} // namespace

TForm_Parse::TForm_Parse(const QString& startDirectory, QWidget* parent)
    : QDialog(parent), m_startDirectory(startDirectory)
{
    // Of the client's settings only the body file differs from its construction
    // values; every fetch replaces it with FetchedPageFile.
    NMHTTP1.FileName = "Output1.htm";
    createControls();
    FormCreate();
}

void TForm_Parse::createControls()
{
    const DesignScale scale(QGuiApplication::primaryScreen());
    setWindowTitle(QStringLiteral("Team HTML Page"));
    setModal(false);
    QFont font(QString::fromLatin1(DefaultFaceName));
    font.setPixelSize(scale(13));
    setFont(font);

    BtnParse = new QPushButton(QStringLiteral("OK"), this);
    scale.place(BtnParse, 356, 56, 55, 25);
    Label1 = new QLabel(QStringLiteral("Enter the path to your team's web page:"), this);
    scale.place(Label1, 8, 8, 409, 16);
    Cmb_HTML = new QComboBox(this);
    scale.place(Cmb_HTML, 8, 24, 409, 24);
    Cmb_HTML->setEditable(true);
    // The list is the URL history: only a read adds to it, never Enter, and
    // the text typed is taken as typed, not completed from the list.
    Cmb_HTML->setInsertPolicy(QComboBox::NoInsert);
    Cmb_HTML->setCompleter(nullptr);
    m_historyItemHeight = scale(16);
    Button1 = new QPushButton(QStringLiteral("Browse"), this);
    scale.place(Button1, 296, 56, 55, 25);

    // Enter in the path box presses OK; Enter on a focused button presses that button.
    BtnParse->setDefault(true);
    BtnParse->setAutoDefault(true);
    Button1->setAutoDefault(true);
    setTabOrder(BtnParse, Cmb_HTML);
    setTabOrder(Cmb_HTML, Button1);
    BtnParse->setFocus();
    connect(BtnParse, &QPushButton::clicked, this, &TForm_Parse::BtnParseClick);
    connect(Button1, &QPushButton::clicked, this, &TForm_Parse::Button1Click);

    // The outer size is 435 x 115; the client area is that less a 4-pixel
    // frame on each side and a 23-pixel caption.
    resize(scale(435 - 2 * 4), scale(115 - 2 * 4 - 23));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QString TForm_Parse::historyPath() const
{
    return PageHistory::pathIn(m_startDirectory);
}

void TForm_Parse::FormCreate()
{
    const PageHistory history(historyPath());
    Cmb_HTML->clear();
    for (const QString& url : history.urls())
        addHistoryEntry(url);
    const int current = history.currentIndex();
    Cmb_HTML->setCurrentIndex(current >= 0 && current < Cmb_HTML->count() ? current : -1);
}

void TForm_Parse::BtnParseClick()
{
    const QString text = Cmb_HTML->currentText();
    if (isUrl(text)) {
        rememberUrl(text);
        const BusyCursor busy;
        if (!fetchPage(text) || !readAndShowPage())
            return;
        rememberRecentPage(text);
    } else if (text != NoPage) {
        const BusyCursor busy;
        Memo1 = loadPageFile(QFile::encodeName(text).toStdString());
        m_pagePath = text;
        if (!readAndShowPage())
            return;
        rememberRecentPage(QFileInfo(text).absoluteFilePath());
    }
    hide();
}

void TForm_Parse::Button1Click()
{
    QString chosen = m_lastChosenFile;
    if (!choosers().chooseOpenFile(this, chosen))
        return;
    m_lastChosenFile = chosen;
    const QFileInfo file(chosen);
    Cmb_HTML->setEditText(file.absoluteFilePath());
    // Later relative names, the files a fetch leaves among them, are taken in
    // the chosen file's folder; the history stays in the start directory.
    QDir::setCurrent(file.absolutePath());
    BtnParseClick();
}

void TForm_Parse::StartParse(const QString& url)
{
    const BusyCursor busy;
    if (!fetchPage(url))
        return;
    emit matchRecordRead(readCurrentTeam(), Memo1.encoding);
}

void TForm_Parse::ParseHTML(const PageLines& memo, TTeam& team, MatchRecord& matchRecord)
{
    readRosterPage(memo, team, matchRecord);
}

QString TForm_Parse::pageSource() const
{
    return Cmb_HTML->currentText();
}

void TForm_Parse::setPageSource(const QString& text)
{
    Cmb_HTML->setEditText(text);
}

void TForm_Parse::readPage(const QString& text)
{
    setPageSource(text);
    BtnParseClick();
}

void TForm_Parse::rememberRecentPage(const QString& text) const
{
    // The list is a convenience: a history file that cannot be written must
    // not turn a page read without failure into a failed command.
    try {
        RecentPages(historyPath()).add(text);
    } catch (const EFileError&) {
    }
}

void TForm_Parse::bringUp()
{
    show();
    raise();
    activateWindow();
}

void TForm_Parse::rememberUrl(const QString& url)
{
    const PageHistory history(historyPath());
    // MatchFixedString without MatchCaseSensitive compares whole entries in any letter case.
    if (Cmb_HTML->findText(url, Qt::MatchFixedString) < 0) {
        addHistoryEntry(url);
        Cmb_HTML->setCurrentIndex(Cmb_HTML->count() - 1);
        history.appendUrl(url);
    }
    history.storeCurrentIndex(Cmb_HTML->currentIndex());
}

void TForm_Parse::addHistoryEntry(const QString& url)
{
    Cmb_HTML->addItem(url);
    // The drop-down list's width follows the box, so only the height matters.
    Cmb_HTML->setItemData(Cmb_HTML->count() - 1, QSize(0, m_historyItemHeight), Qt::SizeHintRole);
}

bool TForm_Parse::fetchPage(const QString& url)
{
    NMHTTP1.FileName = FetchedPageFile;
    m_fetching = true;
    try {
        NMHTTP1.Get(requestUrl(url));
    } catch (...) {
        m_fetching = false;
        // Abandoned on the way out: the cancel is no failure to report.
        if (std::exchange(m_fetchAbandoned, false))
            return false;
        throw;
    }
    m_fetching = false;
    if (std::exchange(m_fetchAbandoned, false))
        return false;
    Memo1 = loadPageFile(FetchedPageFile);
    m_pagePath = QFile::decodeName(FetchedPageFile);
    return true;
}

bool TForm_Parse::abandonFetch()
{
    if (!m_fetching)
        return false;
    m_fetchAbandoned = true;
    NMHTTP1.Abort();
    return true;
}

void TForm_Parse::setReplaceCheck(std::function<bool()> mayReplace)
{
    m_mayReplace = std::move(mayReplace);
}

MatchRecord TForm_Parse::readCurrentTeam()
{
    TTeam team;
    MatchRecord record;
    ParseHTML(Memo1, team, record);
    CurrentTeam = team;
    return record;
}

bool TForm_Parse::readAndShowPage()
{
    TTeam team;
    MatchRecord record;
    ParseHTML(Memo1, team, record);
    if (m_mayReplace && !m_mayReplace())
        return false;
    CurrentTeam = team;
    emit pageRead(CurrentTeam, record, Memo1.encoding);
    if (Memo1.lines.empty() || !isOwnPageStart(Memo1.lines.front()))
        emit otherToolPageRead(m_pagePath, CurrentTeam, Memo1.encoding);
    return true;
}
