#pragma once

#include <QString>
#include <string>
#include <vector>

// The bytes of a stored page: every line followed by CR LF.
std::string pageBytes(const std::vector<std::string>& lines);

// Writes every line followed by CR LF into fileName, atomically (QSaveFile: a
// failure leaves an existing file exactly as it was). Throws EFileError with
// "Cannot create file <fileName>" when the file cannot be created and
// "Stream write error" when writing fails.
void storePage(const std::vector<std::string>& lines, const QString& fileName);
