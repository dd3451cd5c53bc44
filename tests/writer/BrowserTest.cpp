#include "PageFixtures.h"
#include "PageStore.h"
#include "RosterPage.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Python's own web server, on a port of the loopback the kernel picks. It
// sends "Content-Type: text/html" without a charset, as plain servers do.
class LoopbackServer
{
public:
    explicit LoopbackServer(const QString& folder)
    {
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(QStringLiteral("python3"),
                        {"-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "--directory", folder});
        // "Serving HTTP on 127.0.0.1 port 41234 (http://127.0.0.1:41234/) ..."
        static const QRegularExpression serving(QStringLiteral("port (\\d+)"));
        QByteArray said;
        while (m_port == 0 && m_process.waitForReadyRead(30000)) {
            said += m_process.readAll();
            if (const QRegularExpressionMatch match = serving.match(QString::fromUtf8(said));
                match.hasMatch())
                m_port = match.captured(1).toInt();
        }
    }
    ~LoopbackServer()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

    QString url(const QString& file) const
    {
        return QStringLiteral("http://127.0.0.1:%1/%2").arg(m_port).arg(file);
    }
    bool running() const { return m_port != 0; }

private:
    QProcess m_process;
    int m_port = 0;
};

// The document headless Chromium lays out for the URL, as its DOM dumped in UTF-8.
QString browserDom(const QString& url, const QString& profile)
{
    QProcess browser;
    browser.start(QStandardPaths::findExecutable(QStringLiteral("chromium")),
                  {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                   "--disable-background-networking", "--disable-component-update", "--disable-sync",
                   "--user-data-dir=" + profile, "--dump-dom", url});
    browser.waitForFinished(120000);
    return QString::fromUtf8(browser.readAllStandardOutput());
}

} // namespace

// A served page shows its names as written, in whichever encoding the
// writer kept it: the page names its character set, the server does not.
TEST(Browser, ShowsTheNamesOfAServedPageAsWritten)
{
    if (QStandardPaths::findExecutable(QStringLiteral("chromium")).isEmpty())
        GTEST_SKIP() << "no chromium (scripts/install-deps.sh installs it)";
    QTemporaryDir site;
    QTemporaryDir profile;
    ASSERT_TRUE(site.isValid() && profile.isValid());
    const QString team = QStringLiteral("Bj\u00f6rn \u00d8deg\u00e5rd");
    const QString player = QStringLiteral("M\u00e5ns \u00c4ngstr\u00f6m");
    const LoopbackServer server(site.path());
    ASSERT_TRUE(server.running());
    for (const auto& [encoding, file] : {std::pair{TextEncoding::Utf8, QStringLiteral("utf8.htm")},
                                         std::pair{TextEncoding::Latin1, QStringLiteral("latin1.htm")}}) {
        SCOPED_TRACE(file.toStdString());
        RosterSheet sheet = newTeamSheet();
        sheet.setEncoding(encoding);
        sheet.setCell(SheetGrid::Details, 1, 0, team);
        sheet.setCell(SheetGrid::Players, 1, 1, player);
        storePage(buildRosterPage(sheet), QDir(site.path()).filePath(file));

        const QString dom = browserDom(server.url(file), profile.path());
        ASSERT_FALSE(dom.isEmpty()) << "the browser laid out nothing";
        EXPECT_TRUE(dom.contains("<title>" + team + "</title>")) << dom.left(400).toStdString();
        EXPECT_TRUE(dom.contains("<b>" + team + "</b>"));
        EXPECT_TRUE(dom.contains(player));
    }
}
