#include "chemlib/shaped_products.h"

#include <array>
#include <utility>

namespace vantor::chem {
namespace {

template <int F, int R>
void Products(const std::vector<int32_t>& entries, const double* KF, const double* KR, const double* C, double* RF,
              double* RR) {
    const int32_t* e = entries.data();
    const int32_t* end = e + entries.size();
    for (; e != end; e += 1 + F + R) {
        const int32_t i = e[0];
        double rf = KF[i], rr = KR[i];
        for (int n = 0; n < F; ++n) rf *= C[e[1 + n]];
        for (int n = 0; n < R; ++n) rr *= C[e[1 + F + n]];
        RF[i] = rf;
        RR[i] = rr;
    }
}

using ProductLoop = void (*)(const std::vector<int32_t>&, const double*, const double*, const double*, double*,
                             double*);
constexpr int kShapes = ShapedProducts::kWidth + 1;

template <int... S>
constexpr std::array<ProductLoop, sizeof...(S)> Loops(std::integer_sequence<int, S...>) {
    return {&Products<S / kShapes, S % kShapes>...};
}
constexpr auto kLoops = Loops(std::make_integer_sequence<int, kShapes * kShapes>{});

}  // namespace

void ShapedProducts::Clear() {
    for (auto& e : entries_) e.clear();
}

void ShapedProducts::Add(int32_t i, const int32_t* forward, int f, const int32_t* reverse, int r) {
    std::vector<int32_t>& e = entries_[f * kShapes + r];
    e.push_back(i);
    e.insert(e.end(), forward, forward + f);
    e.insert(e.end(), reverse, reverse + r);
}

void ShapedProducts::Evaluate(const double* KF, const double* KR, const double* C, double* RF, double* RR) const {
    for (int s = 0; s < kShapes * kShapes; ++s) {
        if (!entries_[s].empty()) kLoops[s](entries_[s], KF, KR, C, RF, RR);
    }
}

}  // namespace vantor::chem
