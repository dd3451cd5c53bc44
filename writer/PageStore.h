#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <vector>

// The bytes of a stored page: every line followed by CR LF.
std::string pageBytes(const std::vector<std::string>& lines);

// The one store for every file written as a whole. Replaces fileName with the
// bytes atomically (a temporary file beside it, renamed over it once every
// byte is written), so a failure leaves an existing file exactly as it was.
// Throws EFileError with "Not a regular file: <fileName>" when fileName exists
// and is neither a regular file nor a symbolic link to one (a device or a FIFO
// is never replaced by a file), "Cannot create file <fileName>" when the file
// cannot be created, and "Unable to write to <fileName>: <the system's reason>"
// when writing fails (a full disk, for one).
void storeFile(std::string_view bytes, const QString& fileName);

// Stores every line followed by CR LF in fileName through storeFile.
void storePage(const std::vector<std::string>& lines, const QString& fileName);
