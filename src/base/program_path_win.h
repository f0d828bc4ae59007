#pragma once
#include <string>

namespace corvane {

// The full path of the running exe, however long (the folder may lie deeper than MAX_PATH).
std::string ProgramPath();

} // namespace corvane
