#include "app/core/pipeline/reactor_comparison.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vantor {

namespace {

struct KindNames {
    const char* block;     // "Flame"
    const char* quantity;  // CMP.dat's label of the value
    const char* column;    // the table's
    const char* title;     // of the largest difference
    const char* inlet;     // the temperature's label
};

KindNames NamesOf(ReactorKind kind) {
    if (kind == ReactorKind::kFlame)
        return {"Flame", "SL(cm/s)=", "SL", "flame-speed", "Tu(K)="};
    return {"PSR", "TauExt(s)=", "TauExt", "extinction-time", "Tin(K)="};
}

std::string Full(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.15E", value);
    return text;
}

std::string Cell(double value, const char* format, int width) {
    char text[48];
    std::snprintf(text, sizeof text, format, width, value);
    return text;
}

std::string TextCell(const std::string& text, int width) {
    return std::string(static_cast<size_t>(std::max(0, width - static_cast<int>(text.size()))), ' ') + text;
}

bool Holds(const ReactorCaseValue& c) { return c.status == 0 && std::isfinite(c.value) && c.value > 0.0; }

std::string SideText(const ReactorCaseValue* c, const KindNames& names) {
    if (!c) return "no such case";
    if (Holds(*c)) return std::string(names.quantity) + " " + Full(c->value);
    return "no value (status " + std::to_string(c->status) + (c->message.empty() ? "" : ": " + c->message) + ")";
}

const ReactorCaseValue* At(const std::vector<ReactorCaseValue>& cases, size_t i) {
    return i < cases.size() ? &cases[i] : nullptr;
}

}  // namespace

std::optional<double> RelativeReactorDifference(const ReactorCaseValue& detailed, const ReactorCaseValue& reduced) {
    if (!Holds(detailed) || !Holds(reduced)) return std::nullopt;
    return (reduced.value - detailed.value) / detailed.value * 100.0;
}

std::optional<double> LargestReactorDifference(const std::vector<ReactorCaseValue>& detailed,
                                               const std::vector<ReactorCaseValue>& reduced, int& failedCase) {
    failedCase = 0;
    std::optional<double> largest;
    for (size_t i = 0; i < std::max(detailed.size(), reduced.size()); ++i) {
        const ReactorCaseValue* d = At(detailed, i);
        const ReactorCaseValue* r = At(reduced, i);
        // Neither mechanism burning the case is no fault of the reduction.
        if (d && r && !Holds(*d) && !Holds(*r)) continue;
        const auto difference = d && r ? RelativeReactorDifference(*d, *r) : std::nullopt;
        if (!difference) {
            failedCase = static_cast<int>(i) + 1;
            return std::nullopt;
        }
        largest = std::max(largest.value_or(0.0), std::abs(*difference));
    }
    return largest;
}

std::vector<std::string> ReactorReportLines(ReactorKind kind, const std::vector<ReactorCaseValue>& detailed,
                                            const std::vector<ReactorCaseValue>& reduced) {
    const KindNames names = NamesOf(kind);
    std::vector<std::string> out;
    for (size_t i = 0; i < std::max(detailed.size(), reduced.size()); ++i) {
        const ReactorCaseValue* d = At(detailed, i);
        const ReactorCaseValue* r = At(reduced, i);
        const ReactorCaseValue& side = d ? *d : *r;
        out.push_back("\n\r===" + std::string(names.block) + " " + std::to_string(i + 1) + "\nP(atm)= " +
                      Full(side.pressureAtm) + "  " + names.inlet + " " + Full(side.temperature) + "  Phi= " +
                      Full(side.phi));
        std::string values = "Detailed chemistry: " + SideText(d, names) + "\nSkeletal chemistry: " + SideText(r, names);
        if (const auto difference = d && r ? RelativeReactorDifference(*d, *r) : std::nullopt)
            values += "\nDifference(%)= " + Full(*difference);
        out.push_back(values);
    }
    return out;
}

std::vector<std::string> FormatReactorTable(ReactorKind kind, const std::vector<ReactorCaseValue>& detailed,
                                            const std::vector<ReactorCaseValue>& reduced) {
    const KindNames names = NamesOf(kind);
    const bool flame = kind == ReactorKind::kFlame;
    const char* unit = flame ? "(cm/s)" : "(s)";
    const char* format = flame ? "%*.4f" : "%*.4E";
    std::vector<std::string> table{std::string(flame ? " Flame" : "   PSR") + "     P(atm)       T(K)      Phi" +
                                   TextCell(std::string(names.column) + " detailed" + unit, 22) +
                                   TextCell(std::string(names.column) + " reduced" + unit, 21) + "   Diff(%)"};
    for (size_t i = 0; i < std::max(detailed.size(), reduced.size()); ++i) {
        const ReactorCaseValue* d = At(detailed, i);
        const ReactorCaseValue* r = At(reduced, i);
        const ReactorCaseValue& side = d ? *d : *r;
        char number[32];
        std::snprintf(number, sizeof number, "%6zu", i + 1);
        std::string line = number + Cell(side.pressureAtm, "%*.4f", 11) + Cell(side.temperature, "%*.2f", 11) +
                           (side.phi > 0.0 ? Cell(side.phi, "%*.3f", 9) : TextCell("-", 9));
        for (const auto& [c, width] : {std::pair{d, 22}, std::pair{r, 21}})
            line += c && Holds(*c) ? Cell(c->value, format, width)
                                   : TextCell(c ? "status " + std::to_string(c->status) : "-", width);
        const auto difference = d && r ? RelativeReactorDifference(*d, *r) : std::nullopt;
        line += difference ? Cell(*difference, "%*.2f", 10) : TextCell(d && r && (Holds(*d) || Holds(*r)) ? "fails" : "-", 10);
        table.push_back(line);
    }
    int failed = 0;
    const auto largest = LargestReactorDifference(detailed, reduced, failed);
    const std::string title = std::string("Largest ") + names.title + " difference: ";
    if (failed > 0) table.push_back(title + "the reduced mechanism fails: case " + std::to_string(failed));
    else if (largest) table.push_back(title + Cell(*largest, "%*.2f", 0) + " %");
    return table;
}

}  // namespace vantor
