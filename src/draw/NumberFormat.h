#pragma once

#include <string>

namespace velarium {

// A number with a fixed count of decimals, as the read-outs show it ("0", "0.0", "0.00" ...).
// A value that rounds to zero shows no sign.
std::string formatFixed(double value, int decimals);

}  // namespace velarium
