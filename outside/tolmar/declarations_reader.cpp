#include "outside/tolmar/declarations_reader.h"

#include <optional>
#include <string>

#include "outside/tolmar/atomic_weights.h"
#include "outside/tolmar/fortran_number.h"

namespace vantor::tolmar {
namespace {

// The text after the section keyword on the header line.
std::string_view HeaderRest(const Section& section) {
    const std::string_view text = section.header.text;
    const auto words = SplitWords(text);
    if (words.empty()) return {};
    const std::string_view keyword = words.front();
    return text.substr(static_cast<size_t>(keyword.data() - text.data()) + keyword.size());
}

template <typename Visit>
void ForEachSectionLine(const std::vector<Section>& sections, SectionKind kind, Visit visit) {
    for (const Section& section : sections) {
        if (section.kind != kind) continue;
        visit(SourceLine{section.header.number, HeaderRest(section)});
        for (const SourceLine& line : section.body) visit(line);
    }
}

class ElementLineReader {
public:
    ElementLineReader(std::string_view file, Mechanism& mechanism, NameIndex& index, Diagnostics& diagnostics)
        : file_(file), mechanism_(mechanism), index_(index), diagnostics_(diagnostics) {}

    void Read(const SourceLine& line) {
        const std::string_view text = line.text;
        size_t i = 0;
        while (true) {
            while (i < text.size() && IsBlank(text[i])) ++i;
            if (i >= text.size()) return;
            const size_t start = i;
            while (i < text.size() && !IsBlank(text[i]) && text[i] != '/') ++i;
            const std::string_view name = text.substr(start, i - start);
            while (i < text.size() && IsBlank(text[i])) ++i;
            std::optional<double> weight;
            if (i < text.size() && text[i] == '/') {
                const size_t close = text.find('/', i + 1);
                if (close == std::string_view::npos) {
                    Error(kSyntaxError, line, "isotope weight without closing slash", text.substr(start),
                          "NAME /weight/");
                    return;
                }
                const std::string_view value = Trim(text.substr(i + 1, close - i - 1));
                i = close + 1;
                double w = 0.0;
                if (!ParseNumber(value, w) || w <= 0.0) {
                    Error(kBadNumber, line, "bad atomic weight", value, "a positive number");
                    continue;
                }
                weight = w;
            }
            if (name.empty()) {
                Error(kSyntaxError, line, "atomic weight without an element name", text.substr(start), "NAME /weight/");
                continue;
            }
            Declare(line, name, weight);
        }
    }

private:
    void Declare(const SourceLine& line, std::string_view name, std::optional<double> weight) {
        if (name.size() > kMaxNameLength) {
            Error(kSyntaxError, line, "element name longer than 16 characters", name,
                  "a name of at most 16 characters");
            return;
        }
        if (index_.Find(name) != 0) {
            diagnostics_.Warning({file_, line.number},
                                 "element " + std::string(name) + " declared again; the first declaration is kept");
            return;
        }
        if (!weight) weight = BuiltInAtomicWeight(name);
        if (!weight) {
            Error(kUnknownAtomicWeight, line, "no built-in atomic weight for element", name,
                  "the weight after the name, as in " + std::string(name) + " /12.345/");
            return;
        }
        mechanism_.elements.push_back({std::string(name), *weight, line.number});
        index_.Add(name, static_cast<int32_t>(mechanism_.elements.size()));
    }

    void Error(CompileStatus status, const SourceLine& line, std::string_view problem, std::string_view text,
               std::string_view expected) {
        diagnostics_.Error(status, {file_, line.number}, problem, text, expected);
    }

    std::string_view file_;
    Mechanism& mechanism_;
    NameIndex& index_;
    Diagnostics& diagnostics_;
};

// Characters that would make a name unreadable in a reaction equation or an auxiliary line.
bool UsableSpeciesName(std::string_view name) {
    return name.find('/') == std::string_view::npos && name.find('=') == std::string_view::npos &&
           name.front() != '+' && name.front() != '<';
}

}  // namespace

void ReadElements(const std::vector<Section>& sections, std::string_view file, Mechanism& mechanism,
                  NameIndex& elementIndex, Diagnostics& diagnostics) {
    ElementLineReader reader(file, mechanism, elementIndex, diagnostics);
    ForEachSectionLine(sections, SectionKind::Elements, [&](const SourceLine& line) { reader.Read(line); });
    if (mechanism.elements.empty() && !diagnostics.HasErrors())
        diagnostics.Error(kSyntaxError, {file, 0}, "no elements declared", "", "an ELEMENTS section with names");
}

void ReadSpecies(const std::vector<Section>& sections, std::string_view file, Mechanism& mechanism,
                 NameIndex& speciesIndex, Diagnostics& diagnostics) {
    ForEachSectionLine(sections, SectionKind::Species, [&](const SourceLine& line) {
        for (const std::string_view name : SplitWords(line.text)) {
            const Location where{file, line.number};
            if (name.size() > kMaxNameLength) {
                diagnostics.Error(kSyntaxError, where, "species name longer than 16 characters", name,
                                  "a name of at most 16 characters");
            } else if (!UsableSpeciesName(name)) {
                diagnostics.Error(kSyntaxError, where, "species name with a reserved character", name,
                                  "a name without '/' or '=' that does not begin with '+' or '<'");
            } else if (speciesIndex.Find(name) != 0) {
                diagnostics.Warning(where,
                                    "species " + std::string(name) + " declared again; the first declaration is kept");
            } else {
                Species species;
                species.name = std::string(name);
                species.line = line.number;
                mechanism.species.push_back(std::move(species));
                speciesIndex.Add(name, static_cast<int32_t>(mechanism.species.size()));
            }
        }
    });
    if (mechanism.species.empty() && !diagnostics.HasErrors())
        diagnostics.Error(kSyntaxError, {file, 0}, "no species declared", "", "a SPECIES section with names");
}

}  // namespace vantor::tolmar
