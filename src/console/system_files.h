// Small files on the file system itself: the back end of the real terminal
// keeps the conditions file with these.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// At most max_bytes from the start of the file; false when it cannot be read.
bool system_read_file(const std::string& path, std::size_t max_bytes,
                      std::vector<std::uint8_t>& bytes);
// Writes bytes to a temporary file beside the file and renames it over the
// file, so that a save cut off half way never leaves a torn or empty file.
bool system_save_file(const std::string& path, const std::vector<std::uint8_t>& bytes);
