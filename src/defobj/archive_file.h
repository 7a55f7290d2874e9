// Opening the files that archives are read from. Only a regular file is an
// archive: a directory, a device or a FIFO (which would block or never end)
// is reported with its path, and so is a file that cannot be read. A path
// where nothing is gives no file, which readers take as an empty archive.
#pragma once

#include <cstdio>

// The file open for reading, or null when nothing is at the path.
FILE* archive_open_for_reading(const char* path, const char* function);
// Whether a regular file is at the path; anything else there is reported.
bool archive_file_present(const char* path, const char* function);
