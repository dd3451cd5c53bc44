#include "StandardChoosers.h"

#include "ColorValue.h"
#include "FontColorDialog.h"
#include "HireDialog.h"
#include "SkillDialog.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>

namespace {

// Runs a file chooser with the given filters (description, then the patterns
// it filters by) and default extension.
bool runFileDialog(QWidget* parent, QString& path, QFileDialog::AcceptMode mode, const QStringList& filters,
                   const QString& suffix, bool hideFilterDetails, const QString& title = {})
{
    QFileDialog dialog(parent);
    if (!title.isEmpty())
        dialog.setWindowTitle(title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.setOption(QFileDialog::HideNameFilterDetails, hideFilterDetails);
    dialog.setDefaultSuffix(suffix);
    if (!path.isEmpty())
        dialog.selectFile(path);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    path = dialog.selectedFiles().constFirst();
    return true;
}

// The page choosers show the page's own filter names; the patterns after
// each description are what the dialog filters by.
bool runPageDialog(QWidget* parent, QString& path, QFileDialog::AcceptMode mode)
{
    return runFileDialog(parent, path, mode,
                         {QStringLiteral("HTML files (*.htm, *.html) (*.htm *.html *.HTM *.HTML)"),
                          QStringLiteral("All files (*.*) (*)")},
                         QStringLiteral("htm"), true);
}

// Asks the question with the answers go and Cancel; true for go. Enter and
// Escape both cancel, so that nothing happens unless it is chosen.
bool confirmWithCancel(QWidget* parent, QMessageBox::Icon icon, const QString& question, const QString& go)
{
    QMessageBox box(icon, QStringLiteral("Team Editor"), question, QMessageBox::NoButton, parent);
    QPushButton* goButton = box.addButton(go, QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == goButton;
}

} // namespace

bool StandardChoosers::chooseColor(QWidget* parent, const QString& title, TColor& value)
{
    const QPalette palette = parent ? parent->palette() : QPalette();
    const QColor chosen = QColorDialog::getColor(toQColor(value, palette), parent, title);
    if (!chosen.isValid())
        return false;
    value = fromQColor(chosen);
    return true;
}

bool StandardChoosers::chooseFont(QWidget* parent, const QString& title, FontChoice& value)
{
    FontColorDialog dialog(title, value, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    value = dialog.choice();
    return true;
}

bool StandardChoosers::chooseOpenFile(QWidget* parent, QString& path)
{
    return runPageDialog(parent, path, QFileDialog::AcceptOpen);
}

bool StandardChoosers::chooseSaveFile(QWidget* parent, QString& path)
{
    return runPageDialog(parent, path, QFileDialog::AcceptSave);
}

bool StandardChoosers::confirmSaveAnyway(QWidget* parent, const QString& question)
{
    return confirmWithCancel(parent, QMessageBox::Warning, question, QStringLiteral("Save anyway"));
}

bool StandardChoosers::confirmImport(QWidget* parent, const QString& question)
{
    return confirmWithCancel(parent, QMessageBox::Question, question, QStringLiteral("Import"));
}

bool StandardChoosers::chooseExportFile(QWidget* parent, QString& path, const ExportFileKind& kind)
{
    return runFileDialog(
        parent, path, QFileDialog::AcceptSave,
        {QStringLiteral("%1 (*.%2)").arg(kind.description, kind.suffix), QStringLiteral("All files (*)")},
        kind.suffix, false, kind.title);
}

bool StandardChoosers::choosePrinter(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool StandardChoosers::chooseRulesFile(QWidget* parent, QString& path)
{
    return runFileDialog(parent, path, QFileDialog::AcceptOpen,
                         {QStringLiteral("League rules (*.json)"), QStringLiteral("All files (*)")},
                         QStringLiteral("json"), false, QStringLiteral("League Rules"));
}

Choosers::SaveAnswer StandardChoosers::askToSaveChanges(QWidget* parent, const QString& name)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Team Editor"),
                    QStringLiteral("Save changes to %1?").arg(name),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setInformativeText(QStringLiteral("Your changes will be lost if you don't save them."));
    // Alt+S and Alt+D answer, as in other desktop programs.
    box.button(QMessageBox::Save)->setText(QStringLiteral("&Save"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("&Discard"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveAnswer::Save;
    case QMessageBox::Discard:
        return SaveAnswer::Discard;
    default:
        return SaveAnswer::Cancel;
    }
}

bool StandardChoosers::chooseHire(QWidget* parent, const QString& race,
                                  const std::vector<PositionOffer>& offers, HireChoice& choice)
{
    HireDialog dialog(race, offers, choice, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice = dialog.choice();
    return true;
}

bool StandardChoosers::chooseSkill(QWidget* parent, const QString& player, const SkillChoice& open,
                                   QString& skill)
{
    SkillDialog dialog(player, open, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.skill().isEmpty())
        return false;
    skill = dialog.skill();
    return true;
}

bool StandardChoosers::confirmFire(QWidget* parent, const QString& question)
{
    return confirmWithCancel(parent, QMessageBox::Question, question, QStringLiteral("Fire"));
}
