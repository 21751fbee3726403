#include "chemlib/pressure_table_allowance.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

namespace vantor::chem::testing {
namespace {

struct Group {
    double pressure, library, other;  // the group's constant with either code's constants
};

// The bracketing groups and the position of P between them in ln P; the edge group outside the
// table.
struct Choice {
    int32_t low, high;
    double fraction;
};

Choice Bracket(const std::vector<Group>& groups, double P) {
    if (P <= groups.front().pressure) return {0, 0, 0.0};
    for (size_t g = 0; g + 1 < groups.size(); ++g) {
        const double low = groups[g].pressure, high = groups[g + 1].pressure;
        if (low <= P && P <= high && low < high) {
            return {int32_t(g), int32_t(g + 1), std::log(P / low) / std::log(high / low)};
        }
    }
    const auto last = int32_t(groups.size()) - 1;
    return {last, last, 0.0};
}

// Linear in ln P, in ln |k| when both constants have the same sign.
double Interpolated(double low, double high, double fraction) {
    if (low * high > 0.0) return std::copysign(std::exp((1 - fraction) * std::log(std::abs(low)) +
                                                        fraction * std::log(std::abs(high))), low);
    return low + (high - low) * fraction;
}

}  // namespace

TableAllowance PressureTableAllowance(Mechanism& m, int32_t i, double T, double P) {
    constexpr double kCaloriesSingle = 4.179999828338623, kGasConstantSingle = 8.314510345458984;
    constexpr double kNearPressure = 0.019999999552965164;
    const auto& index = m.Library().PressureTableIndex();
    const auto& data = m.Library().PressureTableData();
    const int32_t II = m.II();
    TableAllowance a;
    if (index.size() < size_t(2 * II + 1) || index[1 + i] <= 0) return a;
    a.table = true;
    const int32_t npmax = index[0], terms = std::max(index[1 + II + i], 1);
    std::vector<Group> groups;
    for (int32_t g = 0; g < npmax / terms; ++g) {
        const double* e = data.data() + 4 * (int64_t(npmax) * i + int64_t(g) * terms);
        if (e[0] <= 1e-30) continue;
        Group group{e[0], 0.0, 0.0};
        for (int32_t n = 0; n < terms; ++n) {
            const double* t = e + 4 * n;
            const double base = t[1] * std::pow(T, t[2]);
            group.library += base * std::exp(-kCaloriesSingle * t[3] / (kGasConstantSingle * T));
            group.other += base * std::exp(-4.184 * t[3] / (8.31451 * T));
        }
        groups.push_back(group);
    }
    if (groups.empty()) return a;
    std::set<int32_t> used;
    const Choice other = Bracket(groups, P);
    used.insert({other.low, other.high});
    for (size_t g = 0; g < groups.size(); ++g) {
        if (std::abs(P - groups[g].pressure) / P >= kNearPressure) continue;
        used.insert(int32_t(g));
        const double interpolated = Interpolated(groups[other.low].other, groups[other.high].other, other.fraction);
        a.pressure = std::abs(std::log(groups[g].other / interpolated));
        break;
    }
    for (const int32_t g : used)
        a.calorie = std::max(a.calorie, std::abs(std::log(groups[g].library / groups[g].other)));
    return a;
}

}  // namespace vantor::chem::testing
