#pragma once
// skintool control: a preview of any skinned control for skin authors, also used to check the
// controls from outside (their geometry and state as JSON, their pixels as a BMP).

#include <string>
#include <vector>

namespace skintool {

// Runs "control" with its arguments (after the command word). Writes the JSON answer to out when
// --json is given. An unknown class, section or property, or a bad value, writes one line to err
// and returns 2; a skin that cannot be read returns 1.
int ControlCommand(const std::vector<std::string>& args, std::string& out, std::string& err);

} // namespace skintool
