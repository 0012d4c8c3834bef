// Small files on the file system itself: the back end of the real terminal
// keeps the conditions file with these. Only regular files are read or
// replaced; a symbolic link or a special file (a FIFO, a device, a
// directory) in the file's place counts as a file error, and nothing is ever
// written through a link.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// At most max_bytes from the start of the file; false when it cannot be read.
// Never waits for a writer.
bool system_read_file(const std::string& path, std::size_t max_bytes,
                      std::vector<std::uint8_t>& bytes);
// Writes bytes to a new file under a name no one can guess, beside the file,
// syncs it, renames it over the file and syncs the directory. A save cut off
// half way never leaves a torn or empty file, and no temporary file stays
// behind on any failure. On failure `error` is the error number of the step
// that failed.
bool system_save_file(const std::string& path, const std::vector<std::uint8_t>& bytes, int& error);
