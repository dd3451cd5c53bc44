#include "Choosers.h"

#include "StandardChoosers.h"

namespace {

std::unique_ptr<Choosers>& current()
{
    static std::unique_ptr<Choosers> instance = std::make_unique<StandardChoosers>();
    return instance;
}

} // namespace

Choosers& choosers()
{
    return *current();
}

void setChoosers(std::unique_ptr<Choosers> replacement)
{
    current() = replacement ? std::move(replacement) : std::make_unique<StandardChoosers>();
}
