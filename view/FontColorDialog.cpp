#include "FontColorDialog.h"

#include "ColorValue.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

FontColorDialog::FontColorDialog(const QString& title, const FontChoice& preset, QWidget* parent)
    : QDialog(parent), m_fonts(new QFontDialog(this)), m_colorButton(new QPushButton(tr("&Colour..."), this)),
      m_color(preset.color)
{
    setWindowTitle(title);
    m_fonts->setWindowFlags(Qt::Widget);
    m_fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    m_fonts->setCurrentFont(preset.font);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_colorButton, &QPushButton::clicked, this, &FontColorDialog::chooseColor);

    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(new QLabel(tr("Colour:"), this));
    colorRow->addWidget(m_colorButton);
    colorRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fonts);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
    showColor();
}

FontChoice FontColorDialog::choice() const
{
    return {m_fonts->currentFont(), m_color};
}

void FontColorDialog::chooseColor()
{
    const QColor chosen =
        QColorDialog::getColor(toQColor(m_color, palette()), this, tr("%1 Colour").arg(windowTitle()));
    if (!chosen.isValid())
        return;
    m_color = fromQColor(chosen);
    showColor();
}

void FontColorDialog::showColor()
{
    QPixmap swatch(24, 14);
    swatch.fill(toQColor(m_color, palette()));
    m_colorButton->setIcon(QIcon(swatch));
}
