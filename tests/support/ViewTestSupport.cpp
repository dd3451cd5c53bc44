#include "ViewTestSupport.h"

#include "StringGrid.h"
#include "TForm_Parse.h"
#include "TeamEditorApplication.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "view_gui_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: torn down among the exit handlers it would outlive the
    // input devices that key events registered, and crash.
    // Tests that start no folder of their own keep the settings of the
    // person running them out of reach.
    static QTemporaryDir config;
    static const bool configSet = qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    Q_UNUSED(configSet);
    static auto* application = new TeamEditorApplication(argc, argv);
    Q_UNUSED(application);
}

bool ScriptedChoosers::chooseColor(QWidget*, const QString& title, TColor& value)
{
    titles.push_back(title);
    colorPresets.push_back(value);
    if (colorAnswer)
        value = *colorAnswer;
    return colorAnswer.has_value();
}

bool ScriptedChoosers::chooseFont(QWidget*, const QString& title, FontChoice& value)
{
    titles.push_back(title);
    fontPresets.push_back(value);
    if (fontAnswer)
        value = *fontAnswer;
    return fontAnswer.has_value();
}

bool ScriptedChoosers::chooseOpenFile(QWidget*, QString& path)
{
    filePresets.push_back(path);
    if (fileAnswer)
        path = *fileAnswer;
    return fileAnswer.has_value();
}

bool ScriptedChoosers::chooseSaveFile(QWidget* parent, QString& path)
{
    return chooseOpenFile(parent, path);
}

bool ScriptedChoosers::confirmSaveAnyway(QWidget*, const QString& question)
{
    saveAnywayQuestions << question;
    return saveAnywayAnswer;
}

bool ScriptedChoosers::confirmImport(QWidget*, const QString& question)
{
    importQuestions << question;
    return importAnswer;
}

bool ScriptedChoosers::chooseExportFile(QWidget* parent, QString& path, const ExportFileKind& kind)
{
    exportSuffixes.push_back(kind.suffix);
    exportTitles.push_back(kind.title);
    return chooseOpenFile(parent, path);
}

bool ScriptedChoosers::choosePrinter(QWidget*, QPrinter& printer)
{
    return printerAnswer && printerAnswer(printer);
}

bool ScriptedChoosers::chooseRulesFile(QWidget*, QString& path)
{
    rulesFilePresets.push_back(path);
    if (rulesFileAnswer)
        path = *rulesFileAnswer;
    return rulesFileAnswer.has_value();
}

Choosers::SaveAnswer ScriptedChoosers::askToSaveChanges(QWidget*, const QString& name)
{
    saveQuestions.push_back(name);
    return saveAnswer.value_or(SaveAnswer::Discard);
}

bool ScriptedChoosers::chooseHire(QWidget*, const QString&, const std::vector<PositionOffer>& offers,
                                  HireChoice& choice)
{
    QStringList texts;
    choice.offer = -1;
    for (const PositionOffer& offer : offers) {
        if (hireAnswer && sameName(offer.position->title, *hireAnswer))
            choice.offer = int(texts.size());
        texts.append(positionOfferText(offer));
    }
    hireOffers.push_back(texts);
    payPresets.push_back(choice.payFromTreasury);
    choice.payFromTreasury = payAnswer;
    return hireAnswer.has_value();
}

bool ScriptedChoosers::chooseSkill(QWidget*, const QString& player, const SkillChoice& open, QString& skill)
{
    skillPlayers.append(player);
    skillOffers.push_back(open);
    if (!skillAnswer)
        return false;
    skill = *skillAnswer;
    return true;
}

bool ScriptedChoosers::confirmFire(QWidget*, const QString& question)
{
    fireQuestions.append(question);
    return fireAnswer;
}

void ViewTest::SetUp()
{
    ensureApplication();
    ASSERT_TRUE(m_folder.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    m_previousFolder = QDir::currentPath();
    QDir::setCurrent(m_folder.path());
    auto choosers = std::make_unique<ScriptedChoosers>();
    m_choosers = choosers.get();
    setChoosers(std::move(choosers));
    CurrentTeam = TTeam{};
    m_view = std::make_unique<TTeamView>();
    m_dialog = std::make_unique<TForm_Parse>(m_view->startDirectory());
    TeamEditorApplication::connectWindows(*m_view, *m_dialog);
    m_view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
}

void ViewTest::TearDown()
{
    TeamEditorApplication::setErrorReportHook({});
    m_dialog.reset();
    m_view.reset();
    setChoosers(nullptr);
    QDir::setCurrent(m_previousFolder);
}

void ViewTest::collectReports()
{
    TeamEditorApplication::setErrorReportHook([this](const QString& text) { m_reports << text; });
}

QString ViewTest::toolTipOf(StringGrid* grid, int col, int row)
{
    QToolTip::hideText();
    const QPoint at = grid->cellRect(col, row).center();
    QHelpEvent help(QEvent::ToolTip, at, grid->viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid->viewport(), &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

QImage ViewTest::imageOf(StringGrid* grid)
{
    return grid->viewport()->grab().toImage();
}

QColor ViewTest::fillOf(StringGrid* grid, int col, int row)
{
    const QRect cell = grid->cellRect(col, row);
    return imageOf(grid).pixelColor(cell.right(), cell.bottom());
}

QLineEdit* ViewTest::openEditor(StringGrid* grid, int col, int row)
{
    grid->setFocus();
    grid->setCurrentCell(col, row);
    grid->edit(grid->model()->index(row, col));
    QLineEdit* editor = nullptr;
    for (QLineEdit* candidate : grid->findChildren<QLineEdit*>())
        if (candidate->isVisible())
            editor = candidate;
    if (editor)
        editor->selectAll();
    return editor;
}

void ViewTest::typeInto(StringGrid* grid, int col, int row, const QString& text)
{
    QLineEdit* editor = openEditor(grid, col, row);
    ASSERT_NE(editor, nullptr);
    for (const QChar character : text) {
        QKeyEvent down(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QCoreApplication::sendEvent(editor, &down);
    }
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(editor, &enter);
    QCoreApplication::processEvents();
}
