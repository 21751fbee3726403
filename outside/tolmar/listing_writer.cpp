#include "outside/tolmar/listing_writer.h"

#include <span>
#include <string_view>

#include "chemlib/mechanism_layout.h"
#include "common/fixed_format.h"
#include "outside/tolmar/binary_writer.h"
#include "outside/tolmar/rate_units.h"

namespace vantor::tolmar {
namespace {

constexpr std::string_view kIndent = "          ";

// Appends pieces of text and numbers (full precision) line by line, ending lines with CR LF.
class Listing {
public:
    Listing& operator<<(std::string_view text) {
        out_.append(text);
        return *this;
    }
    Listing& operator<<(double value) { return *this << FormatFull(value); }
    Listing& operator<<(int32_t value) { return *this << std::string_view(std::to_string(value)); }
    Listing& Padded(std::string_view text, size_t width) {
        *this << text << " ";
        if (text.size() + 1 < width) out_.append(width - text.size() - 1, ' ');
        return *this;
    }
    Listing& Number(size_t n) { return *this << FormatI(static_cast<long long>(n), 6) << "  "; }
    Listing& End() { return *this << "\r\n"; }
    template <typename Values>
    Listing& List(const Values& values) {
        for (const double v : values) *this << " " << v;
        return *this;
    }
    std::string Take() { return std::move(out_); }

private:
    std::string out_;
};

Listing& operator<<(Listing& l, const BinaryArrhenius& p) {
    return l << "A " << p[0] << "  b " << p[1] << "  E/R " << p[2] << " K";
}

const std::string& SpeciesName(const Mechanism& mechanism, int32_t k) {
    return mechanism.species[static_cast<size_t>(k - 1)].name;
}

void ListEfficiencies(Listing& l, const Mechanism& mechanism, const Reaction& r) {
    for (const auto& [k, value] : r.efficiencies) l << " " << SpeciesName(mechanism, k) << " " << value;
}

void ListElements(Listing& l, const Mechanism& mechanism) {
    l << " ELEMENTS (" << static_cast<int32_t>(mechanism.elements.size()) << ")   name, atomic weight g/mol";
    l.End();
    for (size_t m = 0; m < mechanism.elements.size(); ++m)
        l.Number(m + 1).Padded(mechanism.elements[m].name, 17) << mechanism.elements[m].weight, l.End();
    l.End();
}

void ListSpecies(Listing& l, const Mechanism& mechanism) {
    l << " SPECIES (" << static_cast<int32_t>(mechanism.species.size())
      << ")   name, molecular weight g/mol, fit temperatures low / common / high K, charge, phase, composition";
    l.End();
    for (size_t k = 0; k < mechanism.species.size(); ++k) {
        const Species& s = mechanism.species[k];
        l.Number(k + 1).Padded(s.name, 17).Padded(FormatFull(s.weight), 20);
        l << s.fit.tLow << " / " << s.fit.tCommon << " / " << s.fit.tHigh << "  charge " << s.charge << "  phase "
          << s.phase << " ";
        for (size_t m = 0; m < s.composition.size(); ++m)
            if (s.composition[m] != 0) l << " " << mechanism.elements[m].name << " " << s.composition[m];
        l.End();
        l << kIndent << "thermo from " << s.thermoSource;
        l.End();
        if (!s.extraElements.empty()) (l << kIndent << "elements read beyond column 80: " << s.extraElements).End();
    }
    l.End();
}

void ListFallOff(Listing& l, const Mechanism& mechanism, const Reaction& r, const CompiledReaction& c) {
    static constexpr std::string_view kForms[] = {"", "Lindemann", "SRI", "Troe (3)", "Troe (4)"};
    l << kIndent << (r.high ? "chemically activated " : "fall-off ") << kForms[static_cast<int>(r.form)] << ", bath "
      << (r.bathSpecies ? std::string_view(SpeciesName(mechanism, r.bathSpecies)) : std::string_view("M"))
      << (r.high ? ", high " : ", low ")
      << BinaryArrhenius{c.fallOff[0], c.fallOff[1], c.fallOff[2]};
    if (!r.formParameters.empty()) {
        l << ", form";
        for (size_t n = 3; n < c.fallOff.size(); ++n) l << " " << c.fallOff[n];
    }
    l.End();
    if (r.kind == ReactionKind::FallOffMixture) {
        l << kIndent << "enhanced:";
        ListEfficiencies(l, mechanism, r);
        l.End();
    }
}

void ListOrders(Listing& l, const Mechanism& mechanism, const CompiledReaction& c) {
    l << kIndent << "orders";
    for (const auto& [code, value] : c.orders)
        l << (code < 0 ? " forward " : " reverse ") << SpeciesName(mechanism, code < 0 ? -code : code) << " " << value;
    l.End();
}

void ListReactionDetails(Listing& l, const Mechanism& mechanism, const Reaction& r, const CompiledReaction& c) {
    if (r.kind == ReactionKind::ThirdBody) {
        l << kIndent << "third body M, enhanced:";
        ListEfficiencies(l, mechanism, r);
        l.End();
    }
    if (r.IsFallOff()) ListFallOff(l, mechanism, r, c);
    if (c.reverse) (l << kIndent << "reverse " << *c.reverse).End();
    if (r.landauTeller) (l << kIndent << "LT").List(*r.landauTeller).End();
    if (r.reverseLandauTeller) (l << kIndent << "RLT").List(*r.reverseLandauTeller).End();
    if (r.wavelength) (l << kIndent << "HV " << *r.wavelength).End();
    if (r.electronImpactSpecies) (l << kIndent << "TDEP " << SpeciesName(mechanism, r.electronImpactSpecies)).End();
    if (r.jan) (l << kIndent << "JAN").List(*r.jan).End();
    if (r.fit1) (l << kIndent << "FIT1").List(*r.fit1).End();
    if (r.excitation) (l << kIndent << "EXCI " << *r.excitation).End();
    if (r.realCoefficients)
        (l << kIndent << "real coefficients")
            .List(std::span<const double>(c.realCoefficients.data(), static_cast<size_t>(c.slotsUsed)))
            .End();
    if (!c.orders.empty()) ListOrders(l, mechanism, c);
    for (const auto& e : c.pressureTable)
        (l << kIndent << "PLOG P " << e[0] << " dyn/cm2  A " << e[1] << "  b " << e[2] << "  E " << e[3] << " cal/mol")
            .End();
    if (r.duplicate) (l << kIndent << "DUPLICATE").End();
    if (r.units.Any())
        (l << kIndent << "units " << UnitsName(r.units.Over(mechanism.units)) << " (its UNITS line)").End();
}

void ListReactions(Listing& l, const Mechanism& mechanism, const std::vector<CompiledReaction>& compiled) {
    l << " REACTIONS (" << static_cast<int32_t>(mechanism.reactions.size()) << ")   A in mol, cm, s; E as given in "
      << EnergyUnitName(mechanism.units.energy) << (mechanism.units.molecules ? ", A given in MOLECULES" : "")
      << "; stored E/R in K";
    l.End();
    for (size_t i = 0; i < mechanism.reactions.size(); ++i) {
        const Reaction& r = mechanism.reactions[i];
        const CompiledReaction& c = compiled[i];
        l.Number(i + 1).Padded(r.equation, 40);
        l << "A " << c.arrhenius[0] << "  b " << c.arrhenius[1] << "  E " << r.rate.E << "  E/R " << c.arrhenius[2]
          << " K";
        l.End();
        ListReactionDetails(l, mechanism, r, c);
    }
    l.End();
}

void ListCounts(Listing& l, const Mechanism& mechanism, const std::vector<CompiledReaction>& compiled) {
    const chem::MechanismCounts c = CountMechanism(mechanism, compiled);
    const chem::MechanismLayout layout = chem::MechanismLayout::Compute(c);
    const std::pair<std::string_view, long long> rows[] = {
        {"elements", c.MM},
        {"species", c.KK},
        {"reactions", c.II},
        {"third-body reactions", c.NTHIRD},
        {"fall-off reactions", c.NFALLOFF},
        {"explicit reverse parameters", c.NREVPAR},
        {"Landau-Teller", c.NLT},
        {"reverse Landau-Teller", c.NREVLT},
        {"wavelength (HV)", c.NWAVE},
        {"electron-impact (TDEP)", c.NEIMP},
        {"JAN", c.NJLEP},
        {"FIT1", c.NFIT1},
        {"excitation (EXCI)", c.NEXCIT},
        {"real coefficients", c.NREALNU},
        {"changed orders", c.NORDER},
        {"pressure tables (PLOG)", c.NSPARE},
        {"largest enhanced third bodies", c.MXTHIRD},
        {"largest order entries", c.MXORDER},
        {"integer work array", layout.intLength},
        {"real work array", layout.realLength},
        {"name work array", layout.nameLength},
    };
    l << " COUNTS";
    l.End();
    for (const auto& [name, value] : rows) (l << "   ").Padded(name, 32) << FormatI(value, 10), l.End();
    l.End();
}

void ListMessages(Listing& l, std::string_view title, const std::vector<std::string>& messages, size_t total) {
    (l << " " << title << " (" << static_cast<int32_t>(total) << ")").End();
    for (const std::string& m : messages) (l << "   " << m).End();
    if (total > messages.size())
        (l << "   ... " << static_cast<int32_t>(total - messages.size()) << " more not listed").End();
    l.End();
}

}  // namespace

std::string WriteListing(const ListingSources& sources, const Mechanism& mechanism,
                         const std::vector<CompiledReaction>& compiled, const Diagnostics& diagnostics) {
    Listing l;
    (l << " Tolmar CHEMKIN-II interpreter").End();
    (l << " Mechanism input:      " << sources.mechanismFile).End();
    l << " Thermodynamic data:   ";
    (l << (sources.thermoFile.empty() ? std::string_view("THERMO ALL section of the mechanism")
                                      : std::string_view(sources.thermoFile)))
        .End();
    (l << " Mechanism binary:     " << sources.binaryFile).End();
    l.End();
    const bool ok = !diagnostics.HasErrors() && compiled.size() == mechanism.reactions.size();
    if (ok) {
        ListElements(l, mechanism);
        ListSpecies(l, mechanism);
        ListReactions(l, mechanism, compiled);
        ListCounts(l, mechanism, compiled);
    }
    ListMessages(l, "WARNINGS", diagnostics.Warnings(), diagnostics.WarningCount());
    if (!ok) ListMessages(l, "ERRORS", diagnostics.Errors(), diagnostics.ErrorCount());
    const int32_t status = ok ? kCompileOk : diagnostics.Status();
    (l << " Status " << status << " (" << StatusName(status)
       << "): " << (ok ? "mechanism binary written" : "no mechanism binary written"))
        .End();
    return l.Take();
}

}  // namespace vantor::tolmar
