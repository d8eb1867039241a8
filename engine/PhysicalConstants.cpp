#include "engine/PhysicalConstants.h"

#include "framework/core/AsciiText.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace {

// Values and uncertainties as the program has always shipped them (not re-fitted to newer data).
// clang-format off
constexpr PhysicalConstantEntry kPhysicalConstants[] = {
    {"Alpha particle mass", "kg", "ma", 6.64465598e-27, 5.2e-34},
    {"Atomic mass constant", "kg", "mu", 1.66053873e-27, 1.3e-34},
    {"Avogadro constant", "1/mol", "Na", 6.02214199e+23, 4.7e+16},
    {"Base of natural logarithm", "", "e", 2.718281828459045, 0.0},
    {"Bohr magneton", "J/T", "mB", 9.27400899e-24, 3.7e-31},
    {"Bohr radius", "m", "rB", 5.291772083e-11, 1.9e-19},
    {"Boltzmann constant", "J/K", "k0", 1.3806503e-23, 2.4e-29},
    {"Deuteron mass", "kg", "md", 3.34358309e-27, 2.6e-34},
    {"Electric constant (permittivity constant)", "F/m", "e0", 8.854187817e-12, 0.0},
    {"Electron mass", "kg", "me", 9.10938188e-31, 7.2e-38},
    {"Electron volt", "J", "eV", 1.602176462e-19, 6.3e-27},
    {"Elementary charge", "C", "eC", 1.602176462e-19, 6.3e-27},
    {"Euler's constant", "", "eu", 0.5772156649015329, 0.0},
    {"Faraday constant", "C/mol", "F0", 96485.3415, 0.0039},
    {"Gravitational constant", "m^3/s^2*kg", "G0", 6.673e-11, 1e-13},
    {"Helion mass", "kg", "mh", 5.00641174e-27, 3.9e-34},
    {"Josephson constant", "Hz/V", "kJ", 483597898000000.0, 19000000.0},
    {"Magnetic constant (permeability constant)", "N/A^2", "m0", 1.2566370614359173e-06, 0.0},
    {"Molar volume of ideal gas at STP", "m^3/mol", "Vm", 0.022413996, 3.9e-08},
    {"Muon mass", "kg", "mm", 1.88353109e-28, 1.6e-35},
    {"Neutron mass", "kg", "mn", 1.67492716e-27, 1.3e-34},
    {"Planck constant", "J*s", "h0", 6.62606876e-34, 5.2e-41},
    {"Plank length", "m", "Lp", 1.616e-35, 1.2e-38},
    {"Plank mass", "kg", "mPl", 2.1767e-08, 1.6e-11},
    {"Plank time", "s", "tp", 5.3906e-44, 4e-47},
    {"Proton mass", "kg", "mp", 1.67262158e-27, 1.3e-34},
    {"Speed of light in vacuum", "m/s", "c0", 299792458.0, 0.0},
    {"Tau mass", "kg", "mt", 3.16788e-27, 5.2e-31},
    {"Universal gas constant", "J/mol*K", "R0", 8.314472, 1.5e-05},
};
// clang-format on

constexpr int kPhysicalConstantCount =
    int(sizeof(kPhysicalConstants) / sizeof(kPhysicalConstants[0]));
static_assert(kPhysicalConstantCount == 29);

std::array<int, kPhysicalConstantCount> g_displayOrder = [] {
    std::array<int, kPhysicalConstantCount> order{};
    std::iota(order.begin(), order.end(), 0);
    return order;
}();

} // namespace

int GetPhysicalConstantCount() { return kPhysicalConstantCount; }

const PhysicalConstantEntry& GetPhysicalConstant(int row) { return kPhysicalConstants[row]; }

int FindPhysicalConstant(const char* symbol)
{
    for (int i = 0; i < kPhysicalConstantCount; ++i)
        if (ascii::EqualNoCase(kPhysicalConstants[i].symbol, symbol ? symbol : ""))
            return i;
    return -1;
}

void SortPhysicalConstants()
{
    std::iota(g_displayOrder.begin(), g_displayOrder.end(), 0);
    std::stable_sort(g_displayOrder.begin(), g_displayOrder.end(), [](int a, int b) {
        return ascii::CompareNoCase(kPhysicalConstants[a].description,
                                    kPhysicalConstants[b].description) < 0;
    });
}

int GetSortedPhysicalConstantRow(int i) { return g_displayOrder[size_t(i)]; }
