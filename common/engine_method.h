#pragma once
// The four reduction methods and what the program and its command line call them.

#include <array>
#include <optional>
#include <string_view>

namespace vantor {

enum class EngineMethod : int { Pfa = 0, Ecf, Drg, Drgep };

struct EngineMethodNames {
    EngineMethod method;
    const char* name;        // in messages, headers and tables: "PFA"
    const char* option;      // vantor-cli --method: "pfa"
    const char* projectTag;  // line 1 of a project file: "PFAPROJ"
};

inline constexpr std::array<EngineMethodNames, 4> kEngineMethods{{
    {EngineMethod::Pfa, "PFA", "pfa", "PFAPROJ"},
    {EngineMethod::Ecf, "ECF", "ecf", "ECFPROJ"},
    {EngineMethod::Drg, "DRG", "drg", "DRGPROJ"},
    {EngineMethod::Drgep, "DRGEP", "drgep", "DRGEPPROJ"},
}};

inline const EngineMethodNames& NamesOf(EngineMethod method) { return kEngineMethods[static_cast<size_t>(method)]; }
inline const char* MethodName(EngineMethod method) { return NamesOf(method).name; }

inline std::optional<EngineMethod> MethodFromOption(std::string_view option) {
    for (const EngineMethodNames& m : kEngineMethods)
        if (option == m.option) return m.method;
    return std::nullopt;
}

// A project's tag; any other text is PFA, as it always was.
inline EngineMethod MethodFromProjectTag(std::string_view tag) {
    for (const EngineMethodNames& m : kEngineMethods)
        if (tag == m.projectTag) return m.method;
    return EngineMethod::Pfa;
}

// The engine's threshold for the grid's threshold t (already clipped to 0..1). PFA's is
// 2 - 2t, ECF's the cumulative share t itself; DRG's and DRGEP's coefficient limit is (1 - t)^2,
// so for every method a larger t keeps more species, and steps of 0.01 in t near 1 reach the
// limits of 1e-4 to 1e-2 that DRGEP needs on large mechanisms (0.98 gives 4e-4).
inline double EngineThreshold(EngineMethod method, double t) {
    switch (method) {
        case EngineMethod::Pfa: return 2.0 - 2.0 * t;
        case EngineMethod::Ecf: return t;
        case EngineMethod::Drg:
        case EngineMethod::Drgep: return (1.0 - t) * (1.0 - t);
    }
    return t;
}

// DRG and DRGEP search from target species (the mixtures' species and the user's list).
inline bool UsesTargets(EngineMethod method) { return method == EngineMethod::Drg || method == EngineMethod::Drgep; }

}  // namespace vantor
