#include "sheet/piptables.h"

namespace vellora::pips {

// The three pip columns of the number cards are at X 785, 1755 and 2765: the gaps are 220 and 260 twips, not
// equal, and the faces depend on exactly these numbers, so they stay as written rather than computed.
std::span<const Step> phaseA()
{
    static const std::vector<Step> steps = {
        {"A1", {1}, kPip, {{1755, 1200}}},
        {"A2", {2}, kPip, {{1755, 1200}}},
        {"A3", {3}, kPip, {{785, 1200}, {2765, 1200}}},
        {"A4", {4}, kPip, {{785, 1200}, {2765, 1200}}},
        {"A5", {5}, kPip, {{785, 1200}, {1755, 1950}, {2765, 1200}}},
        {"A6", {6}, kPip, {{785, 1200}, {2765, 1200}}},
        {"A7", {7}, kPip, {{785, 1200}, {1755, 1950}, {2765, 1200}}},
        {"A8", {8}, kPip, {{785, 1050}, {785, 2100}, {2765, 1050}, {2765, 2100}}},
        {"A9", {9}, kPip, {{785, 1050}, {785, 2100}, {1755, 1650}, {2765, 1050}, {2765, 2100}}},
        {"A10", {0}, kCornerPip, {{435, 960}, {3540, 960}}},
        {"A11", {10, 11, 12}, kCornerPip, {{435, 960}, {3540, 960}}},
    };
    return steps;
}

std::span<const Step> classicCorners()
{
    static const std::vector<Step> steps = {
        {"K1", {1, 2, 3, 4, 5, 6, 7, 8, 9}, kCornerPip, {{435, 960}, {3540, 960}}},
    };
    return steps;
}

std::span<const Step> phaseB()
{
    static const std::vector<Step> steps = {
        {"B1", {0}, kAceCentre, {{1410, 2280}}},
        {"B2", {2}, kPip, {{1755, 2700}}},
        {"B3", {4}, kPip, {{1755, 2700}}},
        {"B4", {6}, kPip, {{1755, 1950}, {785, 2700}, {2765, 2700}}},
        {"B5", {7}, kPip, {{785, 2700}, {2765, 2700}}},
        {"B6", {8}, kPip, {{1755, 2700}}},
    };
    return steps;
}

} // namespace vellora::pips
