#include "WholeNumberValidator.h"

#include <limits>

WholeNumberValidator::WholeNumberValidator(QObject* parent) : QValidator(parent) {}

QValidator::State WholeNumberValidator::validate(QString& input, int&) const
{
    if (input.isEmpty())
        return Acceptable;
    const bool negative = input.front() == QLatin1Char('-');
    const qsizetype digits = input.size() - (negative ? 1 : 0);
    if (digits == 0)
        return Intermediate;
    for (qsizetype i = negative ? 1 : 0; i < input.size(); ++i) {
        if (input[i] < QLatin1Char('0') || input[i] > QLatin1Char('9'))
            return Invalid;
    }
    bool fits = false;
    const qlonglong value = input.toLongLong(&fits);
    if (!fits || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return Invalid;
    return Acceptable;
}
