#pragma once

#include <string>

// Loads the roster page file, reads it and prints the team and its match record
// as one JSON object on standard output; returns 0. A file that cannot be
// opened or a page that cannot be read prints the error message on standard
// error instead and returns 1.
int reportPageFile(const std::string& path);
