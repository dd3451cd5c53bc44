#include "ColorValue.h"

namespace {

constexpr TColor SystemColorFlag = 0x80000000;

QPalette::ColorRole systemColorRole(TColor index)
{
    switch (index) {
    case 5: // window
        return QPalette::Base;
    case 13: // highlight
        return QPalette::Highlight;
    case 14: // highlighted text
        return QPalette::HighlightedText;
    case 15: // button face
        return QPalette::Button;
    case 18: // button text
        return QPalette::ButtonText;
    default: // window text and the references the editor never meets
        return QPalette::WindowText;
    }
}

} // namespace

QColor toQColor(TColor value, const QPalette& palette)
{
    if ((value & 0xFF000000) == SystemColorFlag)
        return palette.color(systemColorRole(value & 0xFF));
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

TColor fromQColor(const QColor& color)
{
    return TColor(color.red()) | (TColor(color.green()) << 8) | (TColor(color.blue()) << 16);
}
