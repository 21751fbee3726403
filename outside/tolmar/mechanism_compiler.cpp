#include "outside/tolmar/mechanism_compiler.h"

#include <algorithm>
#include <cmath>

#include "outside/tolmar/binary_writer.h"
#include "outside/tolmar/declarations_reader.h"
#include "outside/tolmar/mechanism_checks.h"
#include "outside/tolmar/reaction_reader.h"
#include "outside/tolmar/section_splitter.h"
#include "outside/tolmar/thermo_reader.h"

namespace vantor::tolmar {
namespace {

bool HasThermoAll(const std::vector<Section>& sections) {
    for (const Section& section : sections) {
        if (section.kind != SectionKind::Thermo) continue;
        const auto words = SplitWords(section.header.text);
        if (words.size() > 1 && ToUpper(words[1]) == "ALL") return true;
    }
    return false;
}

bool AnySpeciesWithoutThermo(const Mechanism& mechanism) {
    return std::any_of(mechanism.species.begin(), mechanism.species.end(),
                       [](const Species& s) { return !s.hasThermo; });
}

std::string_view WithoutByteOrderMark(std::string_view text, std::string_view file, Diagnostics& diagnostics) {
    if (TakeByteOrderMark(text))
        diagnostics.Warning({file, 1}, "UTF-8 byte-order mark before the first keyword ignored");
    return text;
}

void ReadThermo(const CompileInput& input, const std::vector<Section>& sections, const NameIndex& speciesIndex,
                const NameIndex& elementIndex, CompileOutput& output) {
    ThermoReader reader(output.mechanism, speciesIndex, elementIndex, output.diagnostics);
    for (const Section& section : sections)
        if (section.kind == SectionKind::Thermo) reader.ReadSection(section.body, input.mechanismName);
    const bool thermoAll = output.thermoAll = HasThermoAll(sections);
    if (!thermoAll) {
        if (input.thermoText) {
            reader.ReadFile(SplitLines(WithoutByteOrderMark(*input.thermoText, input.thermoName, output.diagnostics)),
                            input.thermoName);
            output.thermoFileUsed = true;
        } else if (AnySpeciesWithoutThermo(output.mechanism)) {
            const std::string_view name = input.thermoName.empty() ? std::string_view("(no thermo file named)")
                                                                   : std::string_view(input.thermoName);
            output.diagnostics.Error(kFileError, {name, 0}, "cannot read the thermo data file", "",
                                     "a readable thermo file, or THERMO ALL with every entry in the mechanism");
            return;
        }
    }
    reader.ReportMissing(input.mechanismName,
                         thermoAll ? "the THERMO ALL section" : input.thermoName + " or the THERMO section");
}

void ReadReactions(const CompileInput& input, const std::vector<Section>& sections, const NameIndex& speciesIndex,
                   CompileOutput& output) {
    const Section* reactions = nullptr;
    for (const Section& section : sections) {
        if (section.kind != SectionKind::Reactions) continue;
        if (reactions) {
            output.diagnostics.Error(kSyntaxError, {input.mechanismName, section.header.number},
                                     "second REACTIONS section", Trim(section.header.text),
                                     "all reactions in one REACTIONS section");
            return;
        }
        reactions = &section;
    }
    // A mechanism without reactions compiles (thermo-only binaries have their uses), but a
    // REACTIONS section lost to a typo should not pass unnoticed.
    if (!reactions) {
        output.diagnostics.Warning({input.mechanismName, 0}, "no REACTIONS section: the mechanism has no reactions");
        return;
    }
    ReactionReader reader(output.mechanism, speciesIndex, input.mechanismName, output.diagnostics);
    reader.ReadSection(*reactions);
    if (output.mechanism.reactions.empty() && !output.diagnostics.HasErrors())
        output.diagnostics.Warning({input.mechanismName, reactions->header.number},
                                   "the REACTIONS section holds no reactions");
    DropThirdBodiesOfPressureTables(output.mechanism, input.mechanismName, output.diagnostics);
}

bool AllFinite(const CompiledReaction& c) {
    const auto finite = [](const auto& values) {
        return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
    };
    bool ok = finite(c.arrhenius) && finite(c.fallOff) && (!c.reverse || finite(*c.reverse));
    for (const auto& entry : c.pressureTable) ok = ok && finite(entry);
    return ok;
}

// Unit conversions and sums of huge inputs can leave the range of a double.
void CheckFinite(const CompileOutput& output, std::string_view mechanismName, Diagnostics& diagnostics) {
    for (const Species& s : output.mechanism.species)
        if (!std::isfinite(s.weight))
            diagnostics.Error(kBadNumber, {mechanismName, s.line}, "molecular weight out of range", s.name,
                              "atomic weights and counts of a finite sum");
    for (size_t i = 0; i < output.compiled.size(); ++i)
        if (!AllFinite(output.compiled[i]))
            diagnostics.Error(kBadNumber, {mechanismName, output.mechanism.reactions[i].line},
                              "rate parameter out of range after unit conversion",
                              output.mechanism.reactions[i].equation,
                              "parameters whose values in mol, cm, s and K are finite");
}

void WriteBinary(CompileOutput& output, std::string_view mechanismName) {
    output.compiled.reserve(output.mechanism.reactions.size());
    for (const Reaction& reaction : output.mechanism.reactions)
        output.compiled.push_back(CompileReaction(reaction, reaction.units.Over(output.mechanism.units)));
    CheckFinite(output, mechanismName, output.diagnostics);
    if (output.diagnostics.HasErrors()) {
        output.compiled.clear();
        return;
    }
    std::string error;
    if (!BuildMechanismBinary(output.mechanism, output.compiled, output.binary, error)) {
        output.diagnostics.Error(kUnsupportedFeature, {mechanismName, 0}, error, "", "a smaller mechanism");
        output.compiled.clear();
    }
}

}  // namespace

void CompileMechanism(const CompileInput& input, CompileOutput& output) {
    const std::vector<SourceLine> lines =
        SplitLines(WithoutByteOrderMark(input.mechanismText, input.mechanismName, output.diagnostics));
    const std::vector<Section> sections = SplitSections(lines, input.mechanismName, output.diagnostics);
    NameIndex elementIndex, speciesIndex;
    ReadElements(sections, input.mechanismName, output.mechanism, elementIndex, output.diagnostics);
    ReadSpecies(sections, input.mechanismName, output.mechanism, speciesIndex, output.diagnostics);
    if (output.diagnostics.HasErrors()) return;
    ReadThermo(input, sections, speciesIndex, elementIndex, output);
    ReadReactions(input, sections, speciesIndex, output);
    CheckElementBalance(output.mechanism, input.mechanismName, output.diagnostics);
    CheckDuplicates(output.mechanism, input.mechanismName, output.diagnostics);
    CheckPressureTableSigns(output.mechanism, input.mechanismName, output.diagnostics);
    if (output.diagnostics.HasErrors()) return;
    WriteBinary(output, input.mechanismName);
}

}  // namespace vantor::tolmar
