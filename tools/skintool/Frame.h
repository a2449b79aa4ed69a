#pragma once
// skintool frame: a skinned window frame previewed on a headless screen, for skin authors and for
// checking the frame from outside (geometry, region, objects and hit codes as JSON).

#include <string>
#include <vector>

namespace skintool {

// Runs "frame" with its arguments (after the command word). Writes the JSON answer to out when
// --json is given; on any error writes one line to err and returns 2.
int FrameCommand(const std::vector<std::string>& args, std::string& out, std::string& err);

} // namespace skintool
