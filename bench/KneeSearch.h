#pragma once
// The knee of a load benchmark: the highest rate with nothing lost. The floods tried so far
// bracket it between the highest rate that lost nothing and the lowest that lost some; a flood
// at the middle of the bracket halves it.
#include <algorithm>
#include <cmath>
#include <vector>

struct KneeBracket {
    double good = 0;  // the highest rate that lost nothing
    double bad = 0;   // the lowest rate that lost some; 0 when none did
};

// Result: a flood's figures, with its rate and lost().
template <class Result>
KneeBracket BracketKnee(const std::vector<Result>& results) {
    KneeBracket bracket;
    for (const Result& r : results) {
        if (r.lost() == 0) bracket.good = std::max(bracket.good, r.rate);
        else if (bracket.bad == 0 || r.rate < bracket.bad) bracket.bad = r.rate;
    }
    return bracket;
}

// Floods at the bracket's middle (rounded down to 50/s) at most steps times, while the bracket
// is wider than 250/s and 5% of its lower end; the floods join the results.
template <class Result, class Flood>
KneeBracket RefineKnee(std::vector<Result>& results, int steps, Flood flood) {
    KneeBracket bracket = BracketKnee(results);
    for (int step = 0; step < steps && bracket.bad > 0 &&
                       bracket.bad - bracket.good > std::max(250.0, bracket.good * 0.05);
         ++step) {
        results.push_back(flood(std::floor((bracket.good + bracket.bad) / 2 / 50) * 50));
        bracket = BracketKnee(results);
    }
    return bracket;
}
