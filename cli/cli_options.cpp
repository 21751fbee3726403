#include "cli/cli_options.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace vantor::cli {

std::optional<CliOptions> CliOptions::Parse(const std::vector<std::string>& args, const std::set<std::string>& valued,
                                            const std::set<std::string>& flags, std::string& error) {
    CliOptions o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() > 1 && a[0] == '-' && !(a.size() > 1 && (std::isdigit(static_cast<unsigned char>(a[1])) || a[1] == '.'))) {
            if (flags.count(a)) {
                o.flags_.insert(a);
            } else if (valued.count(a)) {
                if (i + 1 >= args.size()) {
                    error = "option " + a + " needs a value";
                    return std::nullopt;
                }
                // A second value would silently replace the first: say so instead.
                if (!o.values_.emplace(a, args[++i]).second) {
                    error = "option " + a + " is given twice";
                    return std::nullopt;
                }
            } else {
                error = "unknown option " + a;
                return std::nullopt;
            }
        } else {
            o.positional_.push_back(a);
        }
    }
    return o;
}

std::optional<std::string> CliOptions::Value(const std::string& key) const {
    const auto it = values_.find(key);
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

std::optional<double> CliOptions::Number(const std::string& key, std::string& error) const {
    const auto text = Value(key);
    if (!text) {
        error = "missing option " + key;
        return std::nullopt;
    }
    char* end = nullptr;
    const double v = std::strtod(text->c_str(), &end);
    if (text->empty() || *end != '\0') {
        error = "option " + key + ": '" + *text + "' is not a number";
        return std::nullopt;
    }
    if (!std::isfinite(v)) {
        error = "option " + key + ": '" + *text + "' is not a finite number";
        return std::nullopt;
    }
    return v;
}

}  // namespace vantor::cli
