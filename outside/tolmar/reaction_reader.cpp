#include "outside/tolmar/reaction_reader.h"

#include <vector>

#include "outside/tolmar/auxiliary_reader.h"
#include "outside/tolmar/fortran_number.h"
#include "outside/tolmar/rate_units.h"
#include "outside/tolmar/reaction_equation.h"

namespace vantor::tolmar {
namespace {

bool LooksNumeric(std::string_view word) {
    return !word.empty() && word.find_first_of("0123456789") != std::string_view::npos &&
           std::string_view("0123456789+-.").find(word.front()) != std::string_view::npos;
}

}  // namespace

ReactionReader::ReactionReader(Mechanism& mechanism, const NameIndex& species, std::string_view file,
                               Diagnostics& diagnostics)
    : mechanism_(mechanism), species_(species), file_(file), diagnostics_(diagnostics) {}

void ReactionReader::ReadSection(const Section& section) {
    ReadUnits(section.header);
    std::string pending;
    int pendingLine = 0;
    for (const SourceLine& line : section.body) {
        std::string_view text = Trim(line.text);
        const bool continues = !text.empty() && text.back() == '&';
        if (continues) text.remove_suffix(1);
        if (pending.empty()) pendingLine = line.number;
        if (!pending.empty()) pending += ' ';
        pending += text;
        if (continues) continue;
        joinedLines_.push_back(std::move(pending));
        pending.clear();
        ReadLine({pendingLine, joinedLines_.back()});
    }
    if (!pending.empty()) {
        joinedLines_.push_back(std::move(pending));
        ReadLine({pendingLine, joinedLines_.back()});
    }
    FinishReaction();
}

void ReactionReader::ReadUnits(const SourceLine& header) {
    const auto words = SplitWords(header.text);
    for (size_t i = 1; i < words.size(); ++i) {
        if (!ApplyUnitKeyword(words[i], mechanism_.units))
            diagnostics_.Error(kUnknownKeyword, {file_, header.number}, "unknown unit keyword", words[i],
                               kUnitKeywords);
    }
}

void ReactionReader::ReadLine(const SourceLine& line) {
    const std::string_view text = Trim(line.text);
    if (text.empty()) return;
    if (text.find('=') != std::string_view::npos)
        ReadReactionLine({line.number, text});
    else
        ReadAuxiliaryLine({line.number, text});
}

void ReactionReader::ReadReactionLine(const SourceLine& line) {
    FinishReaction();
    skipping_ = true;
    const Location where{file_, line.number};
    const auto words = SplitWords(line.text);
    if (words.size() < 4) {
        diagnostics_.Error(kSyntaxError, where, "reaction line without its three rate parameters", line.text,
                           "the equation followed by A, b and E");
        return;
    }
    double values[3];
    for (size_t n = 0; n < 3; ++n) {
        const std::string_view word = words[words.size() - 3 + n];
        if (ParseNumber(word, values[n])) continue;
        if (LooksNumeric(word))
            diagnostics_.Error(kBadNumber, where, "bad number in the rate parameters", word, "a number");
        else
            diagnostics_.Error(kSyntaxError, where, "reaction line without its three rate parameters", line.text,
                               "the equation followed by A, b and E");
        return;
    }
    Reaction reaction;
    reaction.line = line.number;
    for (size_t n = 0; n + 3 < words.size(); ++n) reaction.equation += words[n];
    reaction.rate = {values[0], values[1], values[2]};
    ParsedEquation parsed;
    if (!ParseEquation(reaction.equation, species_, where, diagnostics_, parsed)) return;
    reaction.reactants = std::move(parsed.reactants);
    reaction.products = std::move(parsed.products);
    reaction.reversible = parsed.reversible;
    reaction.realCoefficients = parsed.realCoefficients;
    reaction.kind = parsed.kind;
    reaction.bathSpecies = parsed.bathSpecies;
    current_ = std::move(reaction);
    skipping_ = false;
}

void ReactionReader::ReadAuxiliaryLine(const SourceLine& line) {
    if (skipping_) return;
    const Location where{file_, line.number};
    if (!current_) {
        diagnostics_.Error(kSyntaxError, where, "auxiliary data before the first reaction", line.text,
                           "a reaction line first");
        skipping_ = true;
        return;
    }
    std::vector<AuxiliaryItem> items;
    SplitAuxiliaryItems(line.text, where, diagnostics_, items);
    for (const AuxiliaryItem& item : items) ApplyAuxiliaryItem(item, species_, where, diagnostics_, *current_);
}

void ReactionReader::FinishReaction() {
    if (!current_) return;
    Reaction& reaction = *current_;
    if (reaction.IsFallOff() && !reaction.low && !reaction.high)
        diagnostics_.Error(kSyntaxError, {file_, reaction.line}, "fall-off reaction without LOW", reaction.equation,
                           "LOW /A b E/ (or HIGH /A b E/) on the following lines");
    if (reaction.BorrowsSlots())
        diagnostics_.Warning({file_, reaction.line},
                             "reaction " + reaction.equation +
                                 " has more than three species on one side; they are stored in free slots of the "
                                 "other side (then after the sixth slot), with order entries for its rates of progress");
    mechanism_.reactions.push_back(std::move(reaction));
    current_.reset();
}

void DropThirdBodiesOfPressureTables(Mechanism& mechanism, std::string_view file, Diagnostics& diagnostics) {
    for (Reaction& reaction : mechanism.reactions) {
        if (reaction.kind != ReactionKind::ThirdBody || reaction.pressureTerms.empty()) continue;
        // The rate constants of a pressure table already hold the pressure dependence.
        diagnostics.Warning({file, reaction.line},
                            "PLOG on the +M reaction " + reaction.equation +
                                ": the rate constants at each pressure are taken as they are and no third body is "
                                "applied" +
                                (reaction.efficiencies.empty() ? "" : "; its efficiencies are ignored"));
        reaction.kind = ReactionKind::Plain;
        reaction.efficiencies.clear();
    }
}

}  // namespace vantor::tolmar
