#pragma once
// Index tables derived from a loaded mechanism: the species and powers of every reaction and the
// lists of special reactions (fall-off, third-body, Landau-Teller, ...), 0-based. They are built
// once per load from the integer work array, every index checked against the counts, so the
// evaluation routines never index with a value they have not checked. Entries a shortened file
// did not supply (left 0) are skipped.

#include <cstdint>
#include <vector>

#include "chemlib/mechanism_layout.h"
#include "chemlib/shaped_products.h"
#include "chemlib/species_sums.h"
#include "chemlib/third_body_sums.h"

namespace vantor::chem {

struct SpeciesPower {
    int32_t species;  // 0-based
    int64_t power;    // integer stoichiometric coefficient (64-bit, so its absolute value cannot wrap)
};

// The concentration product of a reaction's rates of progress: reactant slots 1-3 and product
// slots 4-6 in slot order, slot 3 (6) only when slot 2 (5) holds a species. Factors with power 0
// are left out (C^0 = 1).
struct MassActionFactors {
    bool active = false;  // slot-1 coefficient non-zero
    uint8_t forwardCount = 0;
    uint8_t reverseCount = 0;
    SpeciesPower forward[3]{};
    SpeciesPower reverse[3]{};
};

// The reactions of one integer coefficient sum among the ratio-form equilibrium constants.
struct RatioSegment {
    int64_t coefficientSum;
    int32_t begin, end;  // into ReactionTables::ratioReactions
};

// A reaction of one of the special lists and where its parameters start in RCKWRK.
struct ParameterEntry {
    int32_t reaction;  // 0-based
    int64_t params;    // absolute position in RCKWRK
};

struct FallOffEntry {
    int32_t reaction;
    int32_t form;  // 1 Lindemann, 2 SRI, 3 Troe (3 parameters), 4 Troe (4 parameters)
    int32_t bath;  // 0-based species, -1 for the mixture
    int64_t params;
    bool activated = false;  // chemically activated (kChemicallyActivatedForm): rows 1-3 the high-pressure limit
};

struct ThirdBodyTerm {
    int32_t species;
    int64_t efficiency;  // absolute position in RCKWRK
};

struct ThirdBodyEntry {
    int32_t reaction;
    int32_t begin, end;  // into ReactionTables::thirdBodyTerms
};

struct SlotSpecies {
    int32_t slot;     // 0-based slot
    int32_t species;  // 0-based
};

struct RealStoichEntry {
    int32_t reaction;
    int64_t coefficients;  // absolute position of the entry's MXSP real coefficients
    int32_t begin, end;    // occupied slots of the reaction, into ReactionTables::realSlots
    uint8_t forwardCount = 0;
    uint8_t reverseCount = 0;
    SlotSpecies forward[3]{};  // concentration product, same slot rule as MassActionFactors
    SlotSpecies reverse[3]{};
};

struct ElectronImpactEntry {
    int32_t reaction;
    int32_t temperature;               // 0-based index into the temperature array
    int32_t realBegin, realEnd;        // into ReactionTables::electronImpactReal
    int32_t reverseBegin, reverseEnd;  // into ReactionTables::electronImpactReverse
};

struct OrderTerm {
    int32_t species;  // 0-based
    bool forward;     // forward order (code -k) or reverse order (+k)
    int64_t value;    // absolute position of the order value in RCKWRK
};

struct OrderEntry {
    int32_t reaction;
    int32_t begin, end;  // into ReactionTables::orderTerms
};

struct PressureTableEntry {
    int32_t reaction;
    int32_t terms;  // Arrhenius terms summed at one pressure
    // Reversible without explicit reverse parameters: the reverse constant follows the table's
    // forward constant through the equilibrium constant, so the reaction keeps its equilibrium.
    bool reverseFromEquilibrium = false;
};

struct ReactionTables {
    int32_t KK = 0;
    int32_t II = 0;
    std::vector<uint8_t> reversible;                     // (II) species count > 0
    std::vector<int32_t> equilibriumReactions;           // reversible reactions without explicit reverse parameters
    std::vector<uint8_t> needsEquilibrium;               // (II) membership of the list above
    // The members whose coefficients fit the ratio form: exp(sum of coefficient x SMH) as the
    // product of the products' exp(SMH), each repeated by its coefficient, over the reactants'
    // (entry j of equilibriumRatios its numerator and denominator), ordered by coefficient sum.
    std::vector<int32_t> ratioReactions;
    ShapedProducts equilibriumRatios;
    std::vector<RatioSegment> ratioSegments;
    std::vector<int32_t> equilibriumBySum;   // the other members
    std::vector<int32_t> equilibriumOfReal;  // members with real coefficients (their EQK changes after the ratios)
    std::vector<MassActionFactors> massAction;           // (II)
    // Active reactions in the common case (powers 1 to 3, at most four concentrations a side),
    // each species repeated by its power: multiplying the factors out gives the integer powers.
    ShapedProducts expanded;
    std::vector<int32_t> generalMassAction;              // the other active reactions
    std::vector<int32_t> inactiveMassAction;             // slot-1 coefficient 0: no concentration product
    std::vector<int32_t> slotBegin;                      // (II+1) into slotSpecies / slotCoefficients
    std::vector<int32_t> slotSpecies;                    // occupied slots with a non-zero integer coefficient
    std::vector<double> slotCoefficients;
    std::vector<int64_t> coefficientSum;  // (II) integer coefficients of all MXSP slots
    // The same slots by species, each species' terms in reaction and slot order: the production
    // rate of species k sums speciesTermCoefficients x net rate of speciesTermReactions over
    // speciesTermBegin[k] .. speciesTermBegin[k+1].
    std::vector<int32_t> speciesTermBegin;  // (KK+1)
    std::vector<int32_t> speciesTermReactions;
    std::vector<double> speciesTermCoefficients;
    SpeciesSums speciesSums;  // the same sums, four species side by side; net rate II is the padding

    std::vector<ParameterEntry> landauTeller;
    std::vector<ParameterEntry> revLandauTeller;
    std::vector<ParameterEntry> reverse;
    std::vector<ParameterEntry> jlep;
    std::vector<ParameterEntry> fit1;
    std::vector<int32_t> fit1Temperature;  // per Fit # 1 entry: 0-based temperature index

    std::vector<FallOffEntry> fallOff;
    std::vector<ThirdBodyEntry> thirdBody;
    std::vector<ThirdBodyTerm> thirdBodyTerms;
    ThirdBodySums thirdBodySums;  // the same sums, four reactions side by side
    std::vector<RealStoichEntry> realStoich;
    std::vector<SlotSpecies> realSlots;
    std::vector<ElectronImpactEntry> electronImpact;
    std::vector<int32_t> electronImpactReal;     // indices into realStoich
    std::vector<int64_t> electronImpactReverse;  // positions of reverse parameters
    int32_t highestTemperatureIndex = 1;         // 1-based, over the electron-impact entries
    std::vector<OrderEntry> orders;
    std::vector<OrderTerm> orderTerms;
    std::vector<PressureTableEntry> pressureTables;
    // Reactions of equal temperature exponent and activation temperature share exp(b ln T - E/T):
    // exponentRun (II) names each reaction's group, exponentLeader the reaction whose parameters
    // a group takes (-1 for group 0, b = E = 0, whose factor is exactly 1).
    std::vector<int32_t> exponentRun;
    std::vector<int32_t> exponentLeader;
    std::vector<double> exponentB, exponentE;  // per group: its b and E at load (0 for group 0)
    std::vector<double> arrheniusAtLoad;       // the Arrhenius block the groups were formed from
};

// `pressureTableIndex` as the reader holds it: entry 0 NPMAX, then II flags, then II term counts.
ReactionTables BuildReactionTables(const MechanismLayout& L, const int32_t* ickwrk,
                                   const std::vector<int32_t>& pressureTableIndex);

// Fills t.exponentRun, t.exponentLeader, t.exponentB, t.exponentE and t.arrheniusAtLoad from the loaded Arrhenius parameters.
void OrderByExponents(ReactionTables& t, const MechanismLayout& L, const double* rckwrk);

}  // namespace vantor::chem
