// Numbers as the commands print them: independent of the user's locale.
#pragma once

#include <string>

// The shortest text that reads back as exactly value: "0.1", "-3", "1e+20".
std::string HeightText(float value);
// share (0..1) as a percentage with one decimal: "12.5%".
std::string PercentText(double share);
// Six significant digits: "1234.57", "0.000123457".
std::string AmountText(double value);
