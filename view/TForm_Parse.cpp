#include "TForm_Parse.h"

#include "BusyCursor.h"
#include "ByteText.h"
#include "Choosers.h"
#include "ErrorReport.h"
#include "Errors.h"
#include "FileStamp.h"
#include "RosterReader.h"
#include "UrlHistoryBox.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <string>
#include <utility>

namespace {

// The path box text that closes the dialog without reading a page.
const QString NoPage = QStringLiteral("<none>");

// A text is a URL when its first four characters are "HTTP" in any ASCII
// letter case; "https://" is one too, and so is a file name that starts so.
bool isUrl(const QString& text)
{
    // Characters beyond Latin-1 become "?", which matches no letter of the prefix.
    return startsWithIgnoringCase(text.left(4).toLatin1().toStdString(), "HTTP");
}

// A file of a fetch in its private folder; the client keeps names of at most 255 bytes.
std::string fetchFile(const QTemporaryDir& folder, const QString& name)
{
    const std::string path = QFile::encodeName(folder.filePath(name)).toStdString();
    if (path.size() > ShortString::maxLength)
        throw EFileError("Cannot create file " + path);
    return path;
}

QString kilobytes(std::int64_t bytes)
{
    return QString::number((bytes + 512) / 1024);
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
    // Every fetch names its own files in a private folder. The main steps of
    // a fetch and every part of the page received show as its progress.
    NMHTTP1.FileName = "Output1.htm";
    NMHTTP1.ReportLevel = 2;
    NMHTTP1.OnStatus = [this](TPowersock&, const std::string& status) { showStatus(status); };
    NMHTTP1.OnPacketRecvd = [this](TPowersock&) { showReceived(); };
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
    m_history = new UrlHistoryBox(Cmb_HTML, m_startDirectory, scale(16), this);
    connect(m_history, &UrlHistoryBox::notSaved, this, &TForm_Parse::historyNotSaved);
    Button1 = new QPushButton(QStringLiteral("Browse"), this);
    scale.place(Button1, 8, 56, 72, 25);
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("Cancel"));
    scale.place(m_cancelButton, 341, 56, 76, 25);
    scale.place(BtnParse, 259, 56, 76, 25);
    BtnParse->setObjectName(QStringLiteral("BtnParse"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Cmb_HTML->setObjectName(QStringLiteral("Cmb_HTML"));
    Button1->setObjectName(QStringLiteral("Button1"));

    // Return presses OK wherever the focus is, also after Browse was used;
    // Escape and Cancel close the dialog without reading anything.
    BtnParse->setDefault(true);
    BtnParse->setAutoDefault(false);
    Button1->setAutoDefault(false);
    m_cancelButton->setAutoDefault(false);
    setTabOrder(Cmb_HTML, Button1);
    setTabOrder(Button1, BtnParse);
    setTabOrder(BtnParse, m_cancelButton);
    connect(BtnParse, &QPushButton::clicked, this, guarded([this] { readPageSource(); }));
    connect(Button1, &QPushButton::clicked, this, guarded([this] { browse(); }));
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    // Shown only while a page is fetched: the progress between Browse and OK,
    // and in place of the dialog's Cancel one that ends the fetch and keeps
    // the dialog open.
    LbProgress = new QLabel(this);
    LbProgress->setObjectName(QStringLiteral("LbProgress"));
    scale.place(LbProgress, 88, 60, 165, 16);
    LbProgress->hide();
    BtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
    scale.place(BtnCancel, 341, 56, 76, 25);
    BtnCancel->setAutoDefault(false);
    BtnCancel->hide();
    connect(BtnCancel, &QPushButton::clicked, this, &TForm_Parse::BtnCancelClick);

    // The outer size is 435 x 115; the client area is that less a 4-pixel
    // frame on each side and a 23-pixel caption.
    resize(scale(435 - 2 * 4), scale(115 - 2 * 4 - 23));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TForm_Parse::FormCreate()
{
    m_history->load();
}

const QString& TForm_Parse::historyProblem() const
{
    return m_history->problem();
}

void TForm_Parse::BtnParseClick()
{
    readPageSource();
}

void TForm_Parse::Button1Click()
{
    browse();
}

void TForm_Parse::readPageSource()
{
    refuseWhileFetching();
    const QString text = Cmb_HTML->currentText();
    m_history->startCommand();
    if (isUrl(text)) {
        // A URL that cannot be fetched is not worth remembering.
        TNMHTTP::checkedUrl(text.toStdString());
        m_history->rememberUrl(text);
        const BusyCursor busy;
        // The page stays in its folder until it has been read and looked at
        // for an import. A cancelled fetch leaves the dialog open as it was.
        const QTemporaryDir folder = fetchFolder();
        if (!fetchPage(text, folder) || !readAndShowPage(text, text))
            return;
        m_history->rememberRecentPage(text);
    } else if (text != NoPage) {
        const BusyCursor busy;
        Memo1 = loadPageFile(QFile::encodeName(text).toStdString());
        m_pagePath = text;
        // Taken whole now: a save asked for before the page is shown may
        // move the working folder.
        const QString file = QFileInfo(text).absoluteFilePath();
        if (!readAndShowPage(text, file))
            return;
        m_history->rememberRecentPage(file);
    }
    hide();
}

void TForm_Parse::browse()
{
    QString chosen = m_lastChosenFile;
    if (!choosers().chooseOpenFile(this, chosen))
        return;
    m_lastChosenFile = chosen;
    const QFileInfo file(chosen);
    Cmb_HTML->setEditText(file.absoluteFilePath());
    // Later relative names are taken in the chosen file's folder; the history
    // stays in the start directory.
    QDir::setCurrent(file.absolutePath());
    readPageSource();
}

void TForm_Parse::StartParse(const QString& url)
{
    refuseWhileFetching();
    const BusyCursor busy;
    const QTemporaryDir folder = fetchFolder();
    if (!fetchPage(url, folder))
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
    refuseWhileFetching();
    setPageSource(text);
    BtnParseClick();
}

void TForm_Parse::bringUp()
{
    show();
    raise();
    activateWindow();
    // Typing replaces the path shown; Return then reads it.
    Cmb_HTML->setFocus(Qt::ActiveWindowFocusReason);
    Cmb_HTML->lineEdit()->selectAll();
    BtnParse->setDefault(true);
}

void TForm_Parse::BtnCancelClick()
{
    cancelFetch();
}

bool TForm_Parse::fetching() const
{
    return m_fetching;
}

// A page opened while another is fetched (a drop, Open Recent) would be shown
// and then replaced by the fetched one, and a second fetch would take the
// first one's Cancel away: one page at a time.
void TForm_Parse::refuseWhileFetching() const
{
    if (m_fetching)
        throw TeamEditorError("A page is still being fetched: wait for it, or cancel it, first");
}

void TForm_Parse::cancelFetch()
{
    if (!m_fetching)
        return;
    m_cancelRequested = true;
    NMHTTP1.Abort();
}

void TForm_Parse::reject()
{
    cancelFetch();
    QDialog::reject();
}

// While a page is fetched: the progress and Cancel show, OK and Browse are
// disabled; afterwards all is as before, however the fetch ended.
class TForm_Parse::FetchScope
{
public:
    explicit FetchScope(TForm_Parse& dialog) : m_dialog(dialog)
    {
        m_dialog.m_fetching = true;
        m_dialog.m_cancelRequested = false;
        m_dialog.BtnParse->setEnabled(false);
        m_dialog.Button1->setEnabled(false);
        m_dialog.LbProgress->setText(QStringLiteral("Connecting..."));
        m_dialog.LbProgress->show();
        m_dialog.m_cancelButton->hide();
        m_dialog.BtnCancel->show();
    }
    ~FetchScope()
    {
        m_dialog.m_fetching = false;
        m_dialog.BtnCancel->hide();
        m_dialog.m_cancelButton->show();
        m_dialog.LbProgress->hide();
        m_dialog.Button1->setEnabled(true);
        m_dialog.BtnParse->setEnabled(true);
    }
    FetchScope(const FetchScope&) = delete;
    FetchScope& operator=(const FetchScope&) = delete;

private:
    TForm_Parse& m_dialog;
};

void TForm_Parse::showStatus(const std::string& status)
{
    const QString host = QString::fromStdString(NMHTTP1.Host.str());
    if (status == "Connecting")
        LbProgress->setText(QStringLiteral("Connecting to %1...").arg(host));
    else if (status == "Securing Connection")
        LbProgress->setText(QStringLiteral("Securing the connection to %1...").arg(host));
    else if (status == "Send File")
        LbProgress->setText(QStringLiteral("Asking %1 for the page...").arg(host));
    else if (status == "Capture File")
        LbProgress->setText(QStringLiteral("Receiving the page..."));
}

void TForm_Parse::showReceived()
{
    if (NMHTTP1.Status() != "Capture File")
        return;
    const std::int64_t total = NMHTTP1.BytesTotal();
    LbProgress->setText(
        total > 0
            ? QStringLiteral("Received %1 KB of %2 KB").arg(kilobytes(NMHTTP1.BytesRecvd()), kilobytes(total))
            : QStringLiteral("Received %1 KB").arg(kilobytes(NMHTTP1.BytesRecvd())));
}

QTemporaryDir TForm_Parse::fetchFolder()
{
    // Private, and removed with what is in it when it goes: the editor
    // leaves no files in the user's folders.
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/team-editor-XXXXXX"));
    if (!folder.isValid())
        throw EFileError("Cannot create a temporary folder in " +
                         QFile::encodeName(QDir::tempPath()).toStdString());
    return folder;
}

bool TForm_Parse::fetchPage(const QString& url, const QTemporaryDir& folder)
{
    NMHTTP1.FileName = fetchFile(folder, QStringLiteral("output1.htm"));
    NMHTTP1.HeaderName = fetchFile(folder, QStringLiteral("Head.txt"));
    const FetchScope scope(*this);
    try {
        NMHTTP1.Get(url.toStdString());
    } catch (const TeamEditorError&) {
        if (m_cancelRequested)
            return false;
        throw;
    }
    Memo1 = loadPageFile(NMHTTP1.FileName);
    m_pagePath = QFile::decodeName(QByteArray::fromStdString(NMHTTP1.FileName.str()));
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

RosterReading TForm_Parse::readAsRosterPage(const QString& text) const
{
    try {
        return readAsRoster(Memo1, QFile::encodeName(m_pagePath).toStdString());
    } catch (const ENotRosterPage&) {
        throw ENotRosterPage("Not a roster page: " + text.toStdString());
    }
}

bool TForm_Parse::readAndShowPage(const QString& text, const QString& source)
{
    RosterReading reading = readAsRosterPage(text);
    // Another tool's page is never shown as read: its misreading saved back
    // would replace the page with an empty roster.
    if (reading.otherTool) {
        if (!choosers().confirmImport(
                this, QStringLiteral("This page was made by another roster tool. Import it?")))
            return false;
        emit otherToolPageImported(*reading.otherTool, text);
        return true;
    }
    // The shown roster may be saved into this very file before it is
    // replaced; the page shown is then the file as saved.
    const bool localFile = !isUrl(text);
    const FileStamp readStamp = localFile ? FileStamp::of(source) : FileStamp();
    if (m_mayReplace && !m_mayReplace())
        return false;
    if (localFile && !FileStamp::of(source).sameAs(readStamp)) {
        Memo1 = loadPageFile(QFile::encodeName(source).toStdString());
        reading = readAsRosterPage(text);
    }
    // The shown roster saved on the way (by Save As, or during a fetch) put
    // its own file into the path box; the page shown is named by the page read.
    if (Cmb_HTML->currentText() != text)
        setPageSource(source);
    CurrentTeam = std::move(reading.team);
    emit pageRead(CurrentTeam, reading.matchRecord, Memo1.encoding);
    return true;
}
