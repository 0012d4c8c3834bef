// The operating system's side of where the program keeps its files: the
// environment, whether this user may write in a folder, and making a folder.
#pragma once

#include <string>
#include <vector>

// The value of an environment variable; empty when it is not set.
std::string system_environment_variable(const std::string& name);
// True when this user (its effective ids) may create and rename files in the folder.
bool system_folder_writable(const std::string& folder);
// Creates the folder and every missing folder above it, readable by this user
// only; true when the folder exists afterwards. `made` gets the folders it
// created, the top one first (also when it fails half way); on failure
// `error` is the error number of the step that failed.
bool system_make_folder(const std::string& folder, std::vector<std::string>& made, int& error);
// Removes the folders, the last one first; a folder that is not empty stays.
void system_remove_folders(const std::vector<std::string>& folders);
