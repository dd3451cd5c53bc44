#include "StandardChoosers.h"

#include "ColorValue.h"
#include "FontColorDialog.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QPrintDialog>

namespace {

bool runFileDialog(QWidget* parent, QString& path, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // The pattern list after each description is what the dialog filters by.
    dialog.setNameFilters({QStringLiteral("HTML files (*.htm, *.html) (*.htm *.html *.HTM *.HTML)"),
                           QStringLiteral("All files (*.*) (*)")});
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setDefaultSuffix(QStringLiteral("htm"));
    if (!path.isEmpty())
        dialog.selectFile(path);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    path = dialog.selectedFiles().constFirst();
    return true;
}

} // namespace

bool StandardChoosers::chooseColor(QWidget* parent, TColor& value)
{
    const QPalette palette = parent ? parent->palette() : QPalette();
    const QColor chosen = QColorDialog::getColor(toQColor(value, palette), parent);
    if (!chosen.isValid())
        return false;
    value = fromQColor(chosen);
    return true;
}

bool StandardChoosers::chooseFont(QWidget* parent, FontChoice& value)
{
    FontColorDialog dialog(value, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    value = dialog.choice();
    return true;
}

bool StandardChoosers::chooseOpenFile(QWidget* parent, QString& path)
{
    return runFileDialog(parent, path, QFileDialog::AcceptOpen);
}

bool StandardChoosers::chooseSaveFile(QWidget* parent, QString& path)
{
    return runFileDialog(parent, path, QFileDialog::AcceptSave);
}

bool StandardChoosers::confirmSaveAnyway(QWidget* parent, const QString& question)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Team Editor"), question, QMessageBox::NoButton,
                    parent);
    QPushButton* saveAnyway = box.addButton(QStringLiteral("Save anyway"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    // Enter and Escape both keep the file as it is.
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == saveAnyway;
}

bool StandardChoosers::chooseExportFile(QWidget* parent, QString& path, const ExportFileKind& kind)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(
        {QStringLiteral("%1 (*.%2)").arg(kind.description, kind.suffix), QStringLiteral("All files (*)")});
    dialog.setDefaultSuffix(kind.suffix);
    if (!path.isEmpty())
        dialog.selectFile(path);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    path = dialog.selectedFiles().constFirst();
    return true;
}

bool StandardChoosers::choosePrinter(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}
