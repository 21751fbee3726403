#include "outside/tolmar/binary_writer.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <span>

#include "common/record_io.h"
#include "outside/tolmar/source_text.h"

namespace vantor::tolmar {
namespace {

constexpr int32_t kFitTemperatures = 3;  // MXTEMP: low, common, high
constexpr int32_t kPolynomialTerms = 5;  // NPOLY
constexpr int32_t kArrheniusParameters = 3;
constexpr int32_t kLandauTellerParameters = 2;
constexpr int32_t kJanevParameters = 9;
constexpr int32_t kFit1Parameters = 4;
// Temperature index of a TDEP reaction: the element of the rate routines' temperature array it
// uses. A reaction whose TDEP species is the electron runs on the electron temperature (2); any
// other species on the gas temperature (1).
constexpr int32_t kElectronTemperature = 2;
constexpr int32_t kGasTemperature = 1;

using chem::kNameLength;

struct ReactionRecords {
    const Mechanism& mechanism;
    const std::vector<CompiledReaction>& compiled;
    const chem::MechanismCounts& counts;

    // One record holding an entry for each reaction that `has`, built by `add`.
    template <typename Has, typename Add>
    void Write(RecordWriter& writer, Has has, Add add) const {
        RecordBuilder record;
        bool any = false;
        for (size_t i = 0; i < mechanism.reactions.size(); ++i) {
            if (!has(i)) continue;
            record.Int(static_cast<int32_t>(i + 1));
            add(record, i);
            any = true;
        }
        if (any) writer.Write(record);
    }

    const Reaction& R(size_t i) const { return mechanism.reactions[i]; }
    const CompiledReaction& C(size_t i) const { return compiled[i]; }
};

// The electron: one atom of element E and nothing else.
bool IsElectron(const Mechanism& mechanism, int32_t k) {
    const Species& s = mechanism.species[static_cast<size_t>(k - 1)];
    int64_t atoms = 0, electrons = 0;
    for (size_t m = 0; m < mechanism.elements.size() && m < s.composition.size(); ++m) {
        atoms += std::abs(static_cast<int64_t>(s.composition[m]));
        if (ToUpper(mechanism.elements[m].name) == "E") electrons += s.composition[m];
    }
    return atoms == 1 && electrons == 1;
}

void WriteHeader(RecordWriter& w, const chem::MechanismLayout& L) {
    w.Write(RecordBuilder().Name("3.9", kNameLength).Name("DOUBLE", kNameLength).Logical(false));
    RecordBuilder d;
    for (const int64_t length : {L.intLength, L.realLength, L.nameLength}) d.Int(static_cast<int32_t>(length));
    for (const int32_t v :
         {L.MM,       L.KK,      L.II,       L.MXSP,   L.MXTHIRD, L.MXTEMP,  L.NPOLY,  L.NPARAM, L.NLTPAR,
          L.NFALPAR,  L.NREVPAR, L.NFALLOFF, L.NTHIRD, L.NLT,     L.NREVLT,  L.NWAVE,  L.NSPARE, L.NEIMP,
          L.NJLEPPAR, L.NJLEP,   L.NFIT1PAR, L.NFIT1,  L.NEXCIT,  L.NREALNU, L.NORDER, L.MXORDER})
        d.Int(v);
    d.Real(L.COEFMIN);
    w.Write(d);
}

void WriteElementsAndSpecies(RecordWriter& w, const Mechanism& mechanism) {
    RecordBuilder e;
    for (const Element& element : mechanism.elements) e.Name(element.name, kNameLength).Real(element.weight);
    w.Write(e);
    RecordBuilder s;
    for (const Species& species : mechanism.species) {
        s.Name(species.name, kNameLength);
        for (size_t m = 0; m < mechanism.elements.size(); ++m)
            s.Int(m < species.composition.size() ? species.composition[m] : 0);
        s.Int(species.phase).Int(species.charge).Real(species.weight).Int(kFitTemperatures);
        s.Real(species.fit.tLow).Real(species.fit.tCommon).Real(species.fit.tHigh);
        for (const double a : species.fit.low) s.Real(a);
        for (const double a : species.fit.high) s.Real(a);
    }
    w.Write(s);
}

void WriteReactions(RecordWriter& w, const ReactionRecords& r) {
    RecordBuilder record;
    for (const CompiledReaction& c : r.compiled) {
        record.Int(c.speciesCount).Int(c.reactantCount);
        for (const double p : c.arrhenius) record.Real(p);
        for (int32_t n = 0; n < r.counts.MXSP; ++n) record.Int(c.coefficients[n]).Int(c.species[n]);
    }
    w.Write(record);
}

void WriteOptionalRecords(RecordWriter& w, const ReactionRecords& r) {
    const auto reals = [](RecordBuilder& b, const auto& values) {
        for (const double v : values) b.Real(v);
    };
    r.Write(
        w, [&](size_t i) { return r.C(i).reverse.has_value(); },
        [&](RecordBuilder& b, size_t i) { reals(b, *r.C(i).reverse); });
    r.Write(
        w, [&](size_t i) { return r.R(i).IsFallOff(); },
        [&](RecordBuilder& b, size_t i) {
            b.Int(r.C(i).fallOffForm).Int(r.R(i).bathSpecies);
            reals(b, r.C(i).fallOff);
        });
    r.Write(
        w, [&](size_t i) { return r.R(i).IsThirdBody(); },
        [&](RecordBuilder& b, size_t i) {
            const auto& eff = r.R(i).efficiencies;
            b.Int(static_cast<int32_t>(eff.size()));
            for (int32_t n = 0; n < r.counts.MXTHIRD; ++n) {
                const bool used = static_cast<size_t>(n) < eff.size();
                b.Int(used ? eff[n].first : 0).Real(used ? eff[n].second : 0.0);
            }
        });
    r.Write(
        w, [&](size_t i) { return r.R(i).landauTeller.has_value(); },
        [&](RecordBuilder& b, size_t i) { reals(b, *r.R(i).landauTeller); });
    r.Write(
        w, [&](size_t i) { return r.R(i).reverseLandauTeller.has_value(); },
        [&](RecordBuilder& b, size_t i) { reals(b, *r.R(i).reverseLandauTeller); });
    r.Write(
        w, [&](size_t i) { return r.R(i).wavelength.has_value(); },
        [&](RecordBuilder& b, size_t i) { b.Real(*r.R(i).wavelength); });
    r.Write(
        w, [&](size_t i) { return r.R(i).electronImpactSpecies != 0; },
        [&](RecordBuilder& b, size_t i) {
            b.Int(IsElectron(r.mechanism, r.R(i).electronImpactSpecies) ? kElectronTemperature : kGasTemperature);
        });
    r.Write(
        w, [&](size_t i) { return r.R(i).jan.has_value(); },
        [&](RecordBuilder& b, size_t i) { reals(b, *r.R(i).jan); });
    r.Write(
        w, [&](size_t i) { return r.R(i).fit1.has_value(); },
        [&](RecordBuilder& b, size_t i) { reals(b, *r.R(i).fit1); });
    r.Write(
        w, [&](size_t i) { return r.R(i).excitation.has_value(); },
        [&](RecordBuilder& b, size_t i) { b.Real(*r.R(i).excitation); });
    r.Write(
        w, [&](size_t i) { return r.R(i).realCoefficients; },
        [&](RecordBuilder& b, size_t i) {
            const auto& nu = r.C(i).realCoefficients;
            reals(b, std::span<const double>(nu.data(), static_cast<size_t>(r.counts.MXSP)));
        });
    r.Write(
        w, [&](size_t i) { return !r.C(i).orders.empty(); },
        [&](RecordBuilder& b, size_t i) {
            const auto& orders = r.C(i).orders;
            for (int32_t n = 0; n < r.counts.MXORDER; ++n) {
                const bool used = static_cast<size_t>(n) < orders.size();
                b.Int(used ? orders[n].first : 0).Real(used ? orders[n].second : 0.0);
            }
        });
}

void WritePressureTables(RecordWriter& w, const std::vector<CompiledReaction>& compiled) {
    size_t npmax = 0;
    for (const CompiledReaction& c : compiled) npmax = std::max(npmax, c.pressureTable.size());
    RecordBuilder index1, index2;
    index1.Int(static_cast<int32_t>(npmax));
    for (const CompiledReaction& c : compiled) {
        index1.Int(c.pressureGroups);
        index2.Int(c.termsPerGroup);
    }
    w.Write(index1);
    w.Write(index2);
    for (const CompiledReaction& c : compiled) {
        RecordBuilder table;
        for (size_t e = 0; e < npmax; ++e)
            for (size_t v = 0; v < 4; ++v) table.Real(e < c.pressureTable.size() ? c.pressureTable[e][v] : 0.0);
        w.Write(table);
    }
}

}  // namespace

chem::MechanismCounts CountMechanism(const Mechanism& mechanism, const std::vector<CompiledReaction>& reactions) {
    chem::MechanismCounts c;
    c.MM = static_cast<int32_t>(mechanism.elements.size());
    c.KK = static_cast<int32_t>(mechanism.species.size());
    c.II = static_cast<int32_t>(mechanism.reactions.size());
    c.MXSP = kBaseSlots;
    c.MXTEMP = kFitTemperatures;
    c.NPOLY = kPolynomialTerms;
    c.NPARAM = kArrheniusParameters;
    c.NLTPAR = kLandauTellerParameters;
    c.NFALPAR = kFallOffParameters;
    c.NJLEPPAR = kJanevParameters;
    c.NFIT1PAR = kFit1Parameters;
    c.COEFMIN = kCoefMin;
    for (size_t i = 0; i < mechanism.reactions.size(); ++i) {
        const Reaction& r = mechanism.reactions[i];
        const CompiledReaction& compiled = reactions[i];
        c.MXSP = std::max(c.MXSP, compiled.slotsUsed);
        if (r.IsThirdBody()) {
            ++c.NTHIRD;
            c.MXTHIRD = std::max(c.MXTHIRD, static_cast<int32_t>(r.efficiencies.size()));
        }
        c.NFALLOFF += r.IsFallOff();
        c.NREVPAR += r.reverse.has_value();
        c.NLT += r.landauTeller.has_value();
        c.NREVLT += r.reverseLandauTeller.has_value();
        c.NWAVE += r.wavelength.has_value();
        c.NSPARE += !compiled.pressureTable.empty();
        c.NEIMP += r.electronImpactSpecies != 0;
        c.NJLEP += r.jan.has_value();
        c.NFIT1 += r.fit1.has_value();
        c.NEXCIT += r.excitation.has_value();
        c.NREALNU += r.realCoefficients;
        if (!compiled.orders.empty()) {
            ++c.NORDER;
            c.MXORDER = std::max(c.MXORDER, static_cast<int32_t>(compiled.orders.size()));
        }
    }
    return c;
}

bool BuildMechanismBinary(const Mechanism& mechanism, const std::vector<CompiledReaction>& reactions,
                          std::vector<uint8_t>& bytes, std::string& error) {
    const chem::MechanismCounts counts = CountMechanism(mechanism, reactions);
    const chem::MechanismLayout layout = chem::MechanismLayout::Compute(counts);
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    size_t npmax = 0;
    for (const CompiledReaction& c : reactions) npmax = std::max(npmax, c.pressureTable.size());
    const auto tableReals = static_cast<double>(npmax) * 4.0 * static_cast<double>(counts.II);
    if (layout.intLength > kMax || layout.realLength > kMax || layout.nameLength > kMax || tableReals > kMax) {
        error = "the mechanism is too large: a work array or the pressure tables would exceed 2^31 - 1 entries";
        return false;
    }
    RecordWriter writer;
    WriteHeader(writer, layout);
    WriteElementsAndSpecies(writer, mechanism);
    if (counts.II > 0) {
        const ReactionRecords records{mechanism, reactions, counts};
        WriteReactions(writer, records);
        WriteOptionalRecords(writer, records);
        WritePressureTables(writer, reactions);
    }
    bytes = writer.Bytes();
    return true;
}

}  // namespace vantor::tolmar
