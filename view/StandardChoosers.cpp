#include "StandardChoosers.h"

#include "ColorValue.h"
#include "FontColorDialog.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

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

Choosers::SaveAnswer StandardChoosers::askToSaveChanges(QWidget* parent, const QString& name)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Team Editor"),
                    QStringLiteral("Save changes to %1?").arg(name),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setInformativeText(QStringLiteral("Your changes will be lost if you don't save them."));
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
