#include "outside/tolmar/diagnostics.h"

namespace vantor::tolmar {

const char* StatusName(int32_t status) {
    switch (status) {
        case kCompileOk:
            return "success";
        case kFileError:
            return "file error";
        case kUnknownKeyword:
            return "unknown keyword";
        case kUndeclaredElement:
            return "undeclared element";
        case kUnknownAtomicWeight:
            return "unknown atomic weight";
        case kUndeclaredSpecies:
            return "undeclared species";
        case kMissingThermo:
            return "missing thermo data";
        case kBadNumber:
            return "bad number";
        case kElementImbalance:
            return "element imbalance";
        case kUndeclaredDuplicate:
            return "undeclared duplicate reaction";
        case kUnsupportedFeature:
            return "unsupported input";
        case kTooManySpecies:
            return "too many reactants or products";
        case kTruncatedThermo:
            return "truncated thermo data";
        case kSyntaxError:
            return "syntax error";
        case kInternalError:
            return "internal error";
        default:
            return "unknown status";
    }
}

std::string DescribeLocation(Location where) {
    std::string s(where.file.empty() ? std::string_view("(input)") : where.file);
    if (where.line > 0) s += ", line " + std::to_string(where.line);
    return s;
}

std::string Excerpt(std::string_view text) {
    constexpr size_t kMaxShown = 120;
    std::string out;
    for (const char c : text.substr(0, kMaxShown)) {
        const auto u = static_cast<unsigned char>(c);
        out += (u < 0x20 || u == 0x7f) ? '?' : c;
    }
    if (text.size() > kMaxShown) out += "...";
    return out;
}

void Diagnostics::Error(CompileStatus status, Location where, std::string_view problem, std::string_view text,
                        std::string_view expected) {
    if (errorCount_++ == 0) firstStatus_ = status;
    if (errors_.size() >= kMaxKept) return;
    std::string m = DescribeLocation(where) + ": " + std::string(problem);
    if (!text.empty()) m += " \"" + Excerpt(text) + "\"";
    if (!expected.empty()) m += "; expected " + std::string(expected);
    errors_.push_back(std::move(m));
}

void Diagnostics::Warning(Location where, std::string_view message) {
    ++warningCount_;
    if (warnings_.size() >= kMaxKept) return;
    warnings_.push_back(DescribeLocation(where) + ": " + std::string(message));
}

}  // namespace vantor::tolmar
