#pragma once

#include "TTeam.h"

#include <QColor>
#include <QPalette>

// Colour values keep red in the low byte. A value whose high byte is 0x80 refers
// to a system colour by its index in the low byte and is resolved through the palette.

QColor toQColor(TColor value, const QPalette& palette = QPalette());
TColor fromQColor(const QColor& color);
