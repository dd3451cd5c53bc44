#pragma once

#include <QString>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Where each page of a command goes, settled before any page is written. An
// output that is one of the inputs (the same file, also through a link) or
// that another page goes to already fails its page: otherwise a page written
// early would replace an input not yet read, or another page's output, and
// even a single page would give way to what was made of it.
class OutputPlan
{
public:
    // outputOf names the file a page is written to.
    OutputPlan(const std::vector<std::string>& pages,
               const std::function<QString(const std::string&)>& outputOf);

    // The output of the page at index (in the order given); throws
    // TeamEditorError naming the clash when the page may not be written.
    const QString& outputFor(std::size_t index) const;

private:
    struct Entry
    {
        QString output;
        std::optional<std::string> clash;
    };
    std::vector<Entry> m_entries;
};
