#pragma once

#include <QLocale>
#include <QPageSize>

// The paper a printer in the locale's country is most likely loaded with:
// US Letter where it is the usual size, A4 everywhere else.
QPageSize localPageSize(const QLocale& locale = QLocale());
