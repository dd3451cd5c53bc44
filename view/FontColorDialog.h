#pragma once

#include "Choosers.h"

#include <QDialog>

class QFontDialog;
class QPushButton;

// A font chooser that also offers the font's colour: the platform's font
// dialog, embedded, with a colour button beside it.
class FontColorDialog : public QDialog
{
    Q_OBJECT
public:
    // title: what the font is for, such as "Table Font".
    FontColorDialog(const QString& title, const FontChoice& preset, QWidget* parent = nullptr);

    FontChoice choice() const;

private:
    void chooseColor();
    void showColor();

    QFontDialog* m_fonts;
    QPushButton* m_colorButton;
    TColor m_color;
};
