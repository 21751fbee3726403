#include "chemlib/binary_builder.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "chemlib/chemistry_library.h"
#include "common/record_io.h"

namespace vantor::chem::test {

MechanismCounts BinaryBuilder::Counts() const {
    MechanismCounts c;
    c.MM = static_cast<int32_t>(elements.size());
    c.KK = static_cast<int32_t>(species.size());
    c.II = static_cast<int32_t>(reactions.size());
    c.MXSP = 6;
    c.MXTHIRD = MXTHIRD;
    c.MXTEMP = 3;
    c.NPOLY = 5;
    c.NPARAM = 3;
    c.NLTPAR = 2;
    c.NFALPAR = NFALPAR;
    c.NREVPAR = static_cast<int32_t>(reverse.size());
    c.NFALLOFF = static_cast<int32_t>(fallOff.size());
    c.NTHIRD = static_cast<int32_t>(thirdBody.size());
    c.NLT = static_cast<int32_t>(landauTeller.size());
    c.NREVLT = static_cast<int32_t>(revLandauTeller.size());
    c.NWAVE = static_cast<int32_t>(wavelength.size());
    c.NSPARE = static_cast<int32_t>(tables.size());
    c.NEIMP = static_cast<int32_t>(electronImpact.size());
    c.NJLEPPAR = 9;
    c.NJLEP = static_cast<int32_t>(jlep.size());
    c.NFIT1PAR = 4;
    c.NFIT1 = static_cast<int32_t>(fit1.size());
    c.NEXCIT = static_cast<int32_t>(excitation.size());
    c.NREALNU = static_cast<int32_t>(realNu.size());
    c.NORDER = static_cast<int32_t>(orders.size());
    c.MXORDER = MXORDER;
    c.COEFMIN = COEFMIN;
    return c;
}

namespace {

void NumberedRecord(std::vector<NamedRecord>& out, const std::string& name, const std::vector<NumberedReals>& list) {
    if (list.empty()) return;
    RecordBuilder r;
    for (const auto& e : list) {
        r.Int(e.reaction);
        for (const double v : e.values) r.Real(v);
    }
    out.push_back({name, r.Bytes()});
}

}  // namespace

std::vector<NamedRecord> BinaryBuilder::Records() const {
    const MechanismCounts c = Counts();
    const MechanismLayout L = MechanismLayout::Compute(c);
    std::vector<NamedRecord> out;
    out.push_back({"version", RecordBuilder().Name(version, 16).Name(precision, 16).Logical(errorMarker).Bytes()});

    RecordBuilder dims;
    const auto lengths = declaredLengths.value_or(std::array<int32_t, 3>{
        static_cast<int32_t>(L.intLength), static_cast<int32_t>(L.realLength), static_cast<int32_t>(L.nameLength)});
    for (const int32_t v : lengths) dims.Int(v);
    for (const int32_t v :
         {c.MM,       c.KK,      c.II,       c.MXSP,   c.MXTHIRD, c.MXTEMP,  c.NPOLY,  c.NPARAM, c.NLTPAR,
          c.NFALPAR,  c.NREVPAR, c.NFALLOFF, c.NTHIRD, c.NLT,     c.NREVLT,  c.NWAVE,  c.NSPARE, c.NEIMP,
          c.NJLEPPAR, c.NJLEP,   c.NFIT1PAR, c.NFIT1,  c.NEXCIT,  c.NREALNU, c.NORDER, c.MXORDER}) {
        dims.Int(v);
    }
    dims.Real(c.COEFMIN);
    out.push_back({"dimensions", dims.Bytes()});

    RecordBuilder el;
    for (const auto& [name, weight] : elements) el.Name(name, 16).Real(weight);
    out.push_back({"elements", el.Bytes()});

    RecordBuilder sp;
    for (const auto& s : species) {
        sp.Name(s.name, 16);
        for (int32_t m = 0; m < c.MM; ++m) sp.Int(m < int32_t(s.elements.size()) ? s.elements[m] : 0);
        sp.Int(0).Int(0).Real(s.weight).Int(s.fitTemps);
        for (const double t : s.temps) sp.Real(t);
        for (const double a : s.low) sp.Real(a);
        for (const double a : s.high) sp.Real(a);
    }
    out.push_back({"species", sp.Bytes()});
    if (reactions.empty()) return out;

    RecordBuilder rx;
    for (const auto& r : reactions) {
        int32_t count = 0, reactants = 0;
        for (int n = 0; n < 6; ++n) {
            if (r.slots[n].second == 0) continue;
            ++count;
            if (n < 3) ++reactants;
        }
        rx.Int(r.reversible ? count : -count).Int(reactants);
        for (const double p : r.arrhenius) rx.Real(p);
        for (const auto& [nu, k] : r.slots) rx.Int(nu).Int(k);
    }
    out.push_back({"reactions", rx.Bytes()});

    NumberedRecord(out, "reverse", reverse);
    if (!fallOff.empty()) {
        RecordBuilder r;
        for (const auto& f : fallOff) {
            r.Int(f.reaction).Int(f.form).Int(f.bath);
            for (int32_t j = 0; j < c.NFALPAR; ++j) r.Real(j < int32_t(f.params.size()) ? f.params[j] : 0.0);
        }
        out.push_back({"falloff", r.Bytes()});
    }
    if (!thirdBody.empty()) {
        RecordBuilder r;
        for (const auto& t : thirdBody) {
            r.Int(t.reaction).Int(static_cast<int32_t>(t.enhanced.size()));
            for (int32_t j = 0; j < c.MXTHIRD; ++j) {
                if (j < int32_t(t.enhanced.size())) {
                    r.Int(t.enhanced[j].first).Real(t.enhanced[j].second);
                } else {
                    r.Int(0).Real(0.0);
                }
            }
        }
        out.push_back({"thirdbody", r.Bytes()});
    }
    NumberedRecord(out, "landauteller", landauTeller);
    NumberedRecord(out, "revlandauteller", revLandauTeller);
    NumberedRecord(out, "wavelength", wavelength);
    if (!electronImpact.empty()) {
        RecordBuilder r;
        for (const auto& [i, index] : electronImpact) r.Int(i).Int(index);
        out.push_back({"electronimpact", r.Bytes()});
    }
    NumberedRecord(out, "jlep", jlep);
    NumberedRecord(out, "fit1", fit1);
    NumberedRecord(out, "excitation", excitation);
    NumberedRecord(out, "realnu", realNu);
    if (!orders.empty()) {
        RecordBuilder r;
        for (const auto& o : orders) {
            r.Int(o.reaction);
            for (int32_t j = 0; j < c.MXORDER; ++j) {
                if (j < int32_t(o.entries.size())) {
                    r.Int(o.entries[j].first).Real(o.entries[j].second);
                } else {
                    r.Int(0).Real(0.0);
                }
            }
        }
        out.push_back({"orders", r.Bytes()});
    }
    if (!writePressureTables) return out;

    std::vector<int32_t> flag(c.II, 0), terms(c.II, 0);
    std::vector<std::vector<double>> data(c.II, std::vector<double>(4 * size_t(npmax), 0.0));
    for (size_t t = 0; t < tables.size(); ++t) {
        const int32_t i = tableReactions[t] - 1;
        flag[i] = 1;
        terms[i] = tables[t].first;
        std::copy(tables[t].second.begin(), tables[t].second.end(), data[i].begin());
    }
    RecordBuilder index1, index2;
    index1.Int(npmax);
    for (const int32_t f : flag) index1.Int(f);
    for (const int32_t m : terms) index2.Int(m);
    out.push_back({"tableindex1", index1.Bytes()});
    out.push_back({"tableindex2", index2.Bytes()});
    for (int32_t i = 0; i < c.II; ++i) {
        RecordBuilder table;
        for (const double v : data[i]) table.Real(v);
        out.push_back({"table" + std::to_string(i + 1), table.Bytes()});
    }
    return out;
}

std::vector<uint8_t> BinaryBuilder::Frame(const std::vector<NamedRecord>& records) {
    RecordWriter w;
    for (const auto& r : records) w.Write(r.bytes);
    return w.Bytes();
}

int IndexOf(const std::vector<NamedRecord>& records, const std::string& name) {
    for (size_t n = 0; n < records.size(); ++n) {
        if (records[n].name == name) return static_cast<int>(n);
    }
    return -1;
}

SpeciesData ConstantCpSpecies(std::string name, std::vector<int32_t> elements, double weight, double cp, double h298,
                              double s298) {
    SpeciesData s;
    s.name = std::move(name);
    s.elements = std::move(elements);
    s.weight = weight;
    std::vector<double> a(7, 0.0);
    a[0] = cp;
    a[5] = h298 - cp * 298.15;
    a[6] = s298 - cp * std::log(298.15);
    s.low = a;
    s.high = a;
    return s;
}

BinaryBuilder TwoSpeciesMechanism() {
    BinaryBuilder b;
    b.elements = {{"X", 10.0}};
    b.species = {ConstantCpSpecies("A", {1}, 10.0, 3.5, 100.0, 20.0),
                 ConstantCpSpecies("B", {1}, 10.0, 4.0, -200.0, 25.0)};
    ReactionData r;
    r.arrhenius = {1.0e10, 0.5, 1000.0};
    r.slots[0] = {-1, 1};
    r.slots[3] = {1, 2};
    b.reactions = {r};
    return b;
}

std::unique_ptr<LoadedBinary> LoadBytes(const std::vector<uint8_t>& bytes,
                                        std::optional<std::array<int32_t, 3>> declared, int32_t nameElementLength) {
    auto loaded = std::make_unique<LoadedBinary>();
    RecordReader reader(bytes);
    std::ostringstream sink;
    int32_t need[3] = {0, 0, 0};
    loaded->lib.CheckMechanismBinaryHeader(reader, sink, need[0], need[1], need[2]);
    const std::array<int32_t, 3> lengths =
        declared.value_or(std::array<int32_t, 3>{std::max(need[0], 1), std::max(need[1], 1), std::max(need[2], 1)});
    loaded->ickwrk.assign(size_t(lengths[0]), -7);
    loaded->rckwrk.assign(size_t(lengths[1]), -7.0);
    loaded->cckwrk.assign(size_t(lengths[2]) * size_t(nameElementLength), '?');
    std::ostringstream msg;
    loaded->lib.ReadMechanismBinary(lengths[0], lengths[1], lengths[2], reader, msg, loaded->ickwrk.data(),
                                    loaded->rckwrk.data(), loaded->cckwrk.data(), nameElementLength, loaded->errFlag);
    loaded->messages = msg.str();
    return loaded;
}

int32_t LoadedBinary::Rates(double P, double T, const std::vector<double>& X, int32_t NT) {
    const auto& L = lib.Layout();
    std::vector<double> Y(L.KK);
    lib.MoleToMassFractions(X.data(), ickwrk.data(), rckwrk.data(), Y.data());
    wdot.assign(L.KK, 0.0);
    qf.assign(L.II, 0.0);
    qr.assign(L.II, 0.0);
    const std::vector<double> temps(std::max(NT, 1), T);
    std::ostringstream msg;
    const int32_t status = lib.ComputeProductionRates(msg, NT, P, temps.data(), Y.data(), ickwrk.data(), rckwrk.data(),
                                                      wdot.data(), qf.data(), qr.data());
    rateMessages = msg.str();
    return status;
}

}  // namespace vantor::chem::test
