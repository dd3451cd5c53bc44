#include "OutputPlan.h"

#include "Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <map>
#include <string>
#include <utility>

namespace {

// What tells two names of one file apart from two files: the device and inode
// of a file that exists (links followed), the cleaned absolute path of one
// that does not yet.
struct FileIdentity
{
    dev_t device = 0;
    ino_t inode = 0;
    std::string path;

    auto operator<=>(const FileIdentity&) const = default;
};

FileIdentity identityOf(const QString& path)
{
    struct stat status
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &status) == 0)
        return {status.st_dev, status.st_ino, {}};
    return {0, 0, QFile::encodeName(QDir::cleanPath(QFileInfo(path).absoluteFilePath())).toStdString()};
}

} // namespace

OutputPlan::OutputPlan(const std::vector<std::string>& pages,
                       const std::function<QString(const std::string&)>& outputOf)
{
    std::map<FileIdentity, std::string> inputs;
    for (const std::string& page : pages) {
        const FileIdentity input = identityOf(QFile::decodeName(page.c_str()));
        if (input.path.empty())
            inputs.emplace(input, page);
    }
    std::map<FileIdentity, std::string> outputs;
    for (const std::string& page : pages) {
        Entry entry{outputOf(page), std::nullopt};
        const FileIdentity output = identityOf(entry.output);
        const std::string name = entry.output.toStdString();
        if (const auto input = inputs.find(output); input != inputs.end())
            entry.clash = name + " would replace the input page " + input->second;
        else if (const auto earlier = outputs.emplace(output, page); !earlier.second)
            entry.clash = name + " would replace the output of " + earlier.first->second;
        m_entries.push_back(std::move(entry));
    }
}

const QString& OutputPlan::outputFor(std::size_t index) const
{
    const Entry& entry = m_entries.at(index);
    if (entry.clash)
        throw TeamEditorError(*entry.clash);
    return entry.output;
}
