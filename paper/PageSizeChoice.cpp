#include "PageSizeChoice.h"

#include <algorithm>
#include <array>

QPageSize localPageSize(const QLocale& locale)
{
    // The imperial-unit locales all use Letter; so do these metric countries
    // of the Americas and the Philippines.
    static constexpr std::array letterTerritories = {
        QLocale::Canada,
        QLocale::Mexico,
        QLocale::Chile,
        QLocale::Colombia,
        QLocale::Venezuela,
        QLocale::PuertoRico,
        QLocale::Philippines,
        QLocale::CostaRica,
        QLocale::Guatemala,
        QLocale::Panama,
        QLocale::DominicanRepublic,
        QLocale::ElSalvador,
    };
    const bool letter = locale.measurementSystem() == QLocale::ImperialUSSystem ||
                        std::find(letterTerritories.begin(), letterTerritories.end(), locale.territory()) !=
                            letterTerritories.end();
    return QPageSize(letter ? QPageSize::Letter : QPageSize::A4);
}
