#pragma once

#include <QString>

class QMimeData;

// Names of roster pages as the window shows and takes them.
namespace PageNames {

// A page named from outside the page source dialog (the command line, a drop):
// an http or https URL as it stands, anything else as an absolute file path,
// so that a relative name keeps its meaning when the working folder moves and
// a file whose name starts with "http" is not taken for a web address.
QString fromOutside(const QString& text);

// The page a drop carries: its first local file or http(s) URL; empty when it
// carries neither.
QString fromDrop(const QMimeData& data);

// The short name a window title shows: a file's name, a URL's last path
// segment or, when it has none, its host.
QString shortName(const QString& source);

// True for an http or https URL.
bool isWebAddress(const QString& source);

} // namespace PageNames
