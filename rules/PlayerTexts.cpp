#include "PlayerTexts.h"

namespace {

template <typename Visit> void forEachItem(QStringView text, Visit visit)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == u',' || text[i] == u';') {
            const QStringView item = text.sliced(start, i - start).trimmed();
            if (!item.isEmpty())
                visit(item);
            start = i + 1;
        }
    }
}

std::optional<Characteristic> characteristicNamed(QStringView name)
{
    for (int i = 0; i < CharacteristicCount; ++i) {
        const auto which = Characteristic(i);
        if (name.compare(QLatin1StringView(characteristicName(which)), Qt::CaseInsensitive) == 0)
            return which;
    }
    return std::nullopt;
}

} // namespace

std::optional<CharacteristicChange> characteristicChange(QStringView item, QChar sign)
{
    item = item.trimmed();
    if (item.isEmpty() || item.front() != sign)
        return std::nullopt;
    item = item.sliced(1).trimmed();
    qsizetype digits = 0;
    while (digits < item.size() && digits < 2 && item[digits].isDigit() && item[digits].unicode() < 128)
        ++digits;
    const int amount = digits == 0 ? 1 : item.first(digits).toInt();
    const std::optional<Characteristic> which = characteristicNamed(item.sliced(digits).trimmed());
    if (!which || amount == 0)
        return std::nullopt;
    return CharacteristicChange{*which, amount};
}

SkillsText readSkillsText(QStringView text)
{
    SkillsText read;
    forEachItem(text, [&read](QStringView item) {
        if (const auto change = characteristicChange(item, u'+'))
            read.gained[std::size_t(change->which)] += change->amount;
        else
            read.skills.append(item.toString());
    });
    return read;
}

Profile injuryLosses(QStringView text)
{
    Profile losses{};
    forEachItem(text, [&losses](QStringView item) {
        if (const auto change = characteristicChange(item, u'-'))
            losses[std::size_t(change->which)] += change->amount;
    });
    return losses;
}
