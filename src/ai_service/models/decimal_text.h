#pragma once

#include <string>

namespace brindlemoor {

// The shortest decimal text that reads back as the same double, with at least one digit
// after the point when it has no exponent: "0.5", "1.0", "1e+20", "nan", "inf".
std::string decimalText(double value);

} // namespace brindlemoor
