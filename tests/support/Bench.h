// Small pieces every benchmark uses.
#pragma once

#include <algorithm>
#include <vector>

// The middle value of Values (the upper middle of an even count); 0 for none.
inline double Median(std::vector<double> Values)
{
    if (Values.empty())
        return 0;
    std::sort(Values.begin(), Values.end());
    return Values[Values.size() / 2];
}
