// Feeds arbitrary bytes to the clipboard's tab text. As pasted text, they must
// give a block whose tab text reads back as the same block, with no more cells
// than the text has characters and one. Split at the bytes 1 (rows) and 2
// (cells), they give a block of any cell texts, which must come back whole
// through its tab text.
#include "CellBlock.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char* what, const QString& text)
{
    std::fprintf(stderr, "violated: %s\ntext: \"%s\"\n", what, text.toUtf8().constData());
    std::abort();
}

void checkPasted(const QString& text)
{
    const CellBlock block = CellBlock::fromTabText(text);
    qsizetype cells = 0;
    for (const QStringList& row : block.rows)
        cells += row.size();
    if (block.rows.empty() || cells > text.size() + 1)
        fail("the pasted text gives a block out of bounds", text);
    if (CellBlock::fromTabText(block.toTabText()).rows != block.rows)
        fail("a pasted block does not read back from its tab text", text);
}

void checkCopied(const QString& bytes)
{
    CellBlock block;
    for (const QString& row : bytes.split(QChar(1)))
        block.rows.push_back(row.split(QChar(2)));
    if (CellBlock::fromTabText(block.toTabText()).rows != block.rows)
        fail("a copied block does not read back from its tab text", block.toTabText());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkPasted(text);
    checkCopied(text);
    return 0;
}
