#pragma once
// A small parser for "positional ... --key value --flag" command lines.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace vantor::cli {

class CliOptions {
public:
    // `valued` are the options that take a value, `flags` those that do not. Returns nullopt and
    // sets `error` on an unknown option, a missing value or a valued option given twice.
    static std::optional<CliOptions> Parse(const std::vector<std::string>& args, const std::set<std::string>& valued,
                                           const std::set<std::string>& flags, std::string& error);

    const std::vector<std::string>& Positional() const { return positional_; }
    bool Has(const std::string& key) const { return values_.count(key) > 0 || flags_.count(key) > 0; }
    std::optional<std::string> Value(const std::string& key) const;
    // The option as a number; nullopt with `error` set when it is missing or not a finite number
    // ("inf", "nan" and values beyond the double range are refused).
    std::optional<double> Number(const std::string& key, std::string& error) const;

private:
    std::vector<std::string> positional_;
    std::map<std::string, std::string> values_;
    std::set<std::string> flags_;
};

}  // namespace vantor::cli
