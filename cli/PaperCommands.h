#pragma once

#include <string>
#include <vector>

// team-editor-cli pdf IN OUT.pdf, or pdf --to DIR PAGE...: reads each roster
// page as `read` does and stores its one-page PDF. With --to, each page goes
// to DIR under its own name with the suffix .pdf, and a page that fails is
// reported on standard error, prefixed with its path, in the order of the
// pages; pages are printed in batches that share their fonts, on as many
// threads as the machine runs at once, and a batch's failures are reported
// once it and those before it are stored. Returns 1 when any page failed, 2
// for a wrong call.
int runPdfCommand(const std::vector<std::string>& args);

// team-editor-cli csv IN OUT.csv, or csv --to DIR PAGE...: the same for the
// roster's CSV export.
int runCsvCommand(const std::vector<std::string>& args);
