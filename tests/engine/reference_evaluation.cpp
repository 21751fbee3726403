#include "reference_evaluation.h"

#include <algorithm>
#include <cmath>

#include "chemlib/mechanism_layout.h"
#include "engine/kelda/pfa_coefficients.h"
#include "engine/morva/ecf_selection.h"

namespace vantor::engine::testing {

MechanismTables BuildTables(int32_t NS, const std::vector<std::vector<std::pair<int, int>>>& reactions) {
    chem::MechanismCounts counts;
    counts.MM = 1;
    counts.KK = NS;
    counts.II = static_cast<int32_t>(reactions.size());
    counts.MXSP = 6;
    counts.MXTEMP = 3;
    counts.NPOLY = 5;
    counts.NPARAM = 3;
    const chem::MechanismLayout layout = chem::MechanismLayout::Compute(counts);
    std::vector<int32_t> ickwrk(static_cast<size_t>(layout.intLength), 0);
    for (size_t i = 0; i < reactions.size(); ++i) {
        for (size_t n = 0; n < reactions[i].size(); ++n) {
            ickwrk[static_cast<size_t>(layout.iStoich) + 6 * i + n] = reactions[i][n].first;
            ickwrk[static_cast<size_t>(layout.iSlotSpecies) + 6 * i + n] = reactions[i][n].second;
        }
    }
    MechanismTables tables;
    tables.Build(ickwrk.data(), nullptr, layout, NS, counts.II);
    return tables;
}

void ReferenceSums::Sums(int32_t M, int32_t B, double& P, double& C) const {
    P = 0.0;
    C = 0.0;
    for (int32_t i = 1; i <= t_.NR(); ++i) {
        if (t_.StoichMatrix(M, i) == 0 || t_.StoichMatrix(B, i) == 0) continue;
        const double r = static_cast<double>(t_.StoichMatrix(M, i)) * q_[static_cast<size_t>(i)];
        if (r > 0.0) P += r;
        if (r < 0.0) C += r;
    }
}

PfaRow ReferencePfaRow(const ReferenceSums& sums, int32_t A) {
    const int32_t NS = sums.NS();
    PfaRow row;
    for (auto* v : {&row.pro1, &row.con1, &row.pro2, &row.con2, &row.r}) v->assign(static_cast<size_t>(NS) + 1, 0.0);
    double PA, CA, P, C;
    sums.Sums(A, A, PA, CA);
    const double d = std::max(std::fabs(PA), std::fabs(CA)) + kEpsilonSource;
    for (int32_t b = 1; b <= NS; ++b) {
        if (b == A) continue;
        sums.Sums(A, b, P, C);
        row.con1[static_cast<size_t>(b)] = std::fabs(C) / d;
        row.pro1[static_cast<size_t>(b)] = std::fabs(P) / d;
    }
    for (int32_t b = 1; b <= NS; ++b) {
        if (b == A) continue;
        double con2 = 0.0, pro2 = 0.0;
        for (int32_t m = 1; m <= NS; ++m) {
            if (m == A || m == b) continue;
            double PM, CM, PMB, CMB;
            sums.Sums(m, m, PM, CM);
            sums.Sums(m, b, PMB, CMB);
            const double dp = std::max(std::fabs(PM), std::fabs(CM)) + kEpsilonIntermediate;
            con2 += std::fabs(CMB) * row.con1[static_cast<size_t>(m)] / dp;
            pro2 += std::fabs(PMB) * row.pro1[static_cast<size_t>(m)] / dp;
        }
        const size_t bi = static_cast<size_t>(b);
        row.con2[bi] = con2;
        row.pro2[bi] = pro2;
        row.r[bi] = (con2 + row.con1[bi]) + (pro2 + row.pro1[bi]);
    }
    return row;
}

void ReferenceEcfCoefficients(const ReferenceSums& sums, int32_t A, std::vector<double>& con, std::vector<double>& pro) {
    const int32_t NS = sums.NS();
    con.assign(static_cast<size_t>(NS) + 1, 0.0);
    pro.assign(static_cast<size_t>(NS) + 1, 0.0);
    double PA, CA, P, C;
    sums.Sums(A, A, PA, CA);
    for (int32_t b = 1; b <= NS; ++b) {
        sums.Sums(A, b, P, C);
        con[static_cast<size_t>(b)] = std::fabs(C) / (std::fabs(CA) + kEcfEpsilon);
        pro[static_cast<size_t>(b)] = std::fabs(P) / (std::fabs(PA) + kEcfEpsilon);
    }
}

void ReferenceEcfPass(const std::vector<double>& r, int32_t A, double threshold, std::vector<uint8_t>& kept,
                      std::vector<int32_t>& next) {
    const int32_t NS = static_cast<int32_t>(r.size()) - 1;
    std::vector<double> buffer = r;
    buffer[static_cast<size_t>(A)] = 0.0;
    std::vector<int32_t> order;
    for (int32_t n = 0; n < NS; ++n) {
        double best = -1.0;
        int32_t j = 0;
        for (int32_t b = 1; b <= NS; ++b) {
            if (buffer[static_cast<size_t>(b)] > best) {
                best = buffer[static_cast<size_t>(b)];
                j = b;
            }
        }
        order.push_back(j);
        buffer[static_cast<size_t>(j)] = 0.0;
    }
    double sum = 0.0;
    for (size_t n = 0; sum < threshold && n < order.size(); ++n) {
        const int32_t b = order[n];
        if (r[static_cast<size_t>(b)] <= kEcfNegligible) continue;
        sum += r[static_cast<size_t>(b)];
        if (!kept[static_cast<size_t>(b)]) {
            kept[static_cast<size_t>(b)] = 1;
            next.push_back(b);
        }
    }
}

void ReferencePfaSelector::BeginState(const StateFluxes& fluxes) {
    fluxes_ = &fluxes;
    q_.assign(static_cast<size_t>(fluxes.Tables().NR()) + 1, 0.0);
    for (int32_t i = 1; i <= fluxes.Tables().NR(); ++i) q_[static_cast<size_t>(i)] = fluxes.NetRate(i);
}

void ReferencePfaSelector::SelectFrom(int32_t A, std::vector<uint8_t>& kept, std::vector<int32_t>& next) {
    const PfaRow row = ReferencePfaRow(ReferenceSums(fluxes_->Tables(), q_), A);
    for (int32_t b = 1; b <= fluxes_->Tables().NS(); ++b) {
        if (b != A && row.r[static_cast<size_t>(b)] > threshold_ && !kept[static_cast<size_t>(b)]) {
            kept[static_cast<size_t>(b)] = 1;
            next.push_back(b);
        }
    }
}

void ReferenceEcfSelector::SelectFrom(int32_t A, std::vector<uint8_t>& kept, std::vector<int32_t>& next) {
    std::vector<double> con, pro;
    ReferenceEcfCoefficients(ReferenceSums(fluxes_->Tables(), q_), A, con, pro);
    ReferenceEcfPass(con, A, threshold_, kept, next);
    ReferenceEcfPass(pro, A, threshold_, kept, next);
}

}  // namespace vantor::engine::testing
