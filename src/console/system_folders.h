// The operating system's side of where the program keeps its files: the
// environment, whether this user may write in a folder, and making a folder.
#pragma once

#include <string>

// The value of an environment variable; empty when it is not set.
std::string system_environment_variable(const std::string& name);
// True when this user (its effective ids) may create and rename files in the folder.
bool system_folder_writable(const std::string& folder);
// Creates the folder and every missing folder above it, readable by this user
// only; true when the folder exists afterwards.
bool system_make_folder(const std::string& folder);
