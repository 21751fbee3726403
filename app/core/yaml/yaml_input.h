#pragma once
// Reading values out of a parsed YAML file with failures that name the line and column at fault
// and what was expected there. The failure travels as an exception inside the reader only; the
// reader's entry turns it into its result.

#include <yaml-cpp/yaml.h>

#include <stdexcept>
#include <string>

namespace vantor::yaml {

class YamlInputError : public std::runtime_error {
public:
    YamlInputError(int line, int column, const std::string& what)
        : std::runtime_error(what), line_(line), column_(column) {}
    int Line() const { return line_; }      // 1-based; 0 when unknown
    int Column() const { return column_; }  // 1-based

private:
    int line_, column_;
};

// Fails at `at` with "<problem>; expected <expected>".
[[noreturn]] void Fail(const YAML::Node& at, const std::string& problem, const std::string& expected);

// The entry `key` of the mapping `map`; fails naming `what` when it is missing.
YAML::Node Require(const YAML::Node& map, const char* key, const std::string& what);

// A real number (a YAML number); fails naming `what` otherwise.
double Number(const YAML::Node& node, const std::string& what);

// A plain text scalar.
std::string Text(const YAML::Node& node, const std::string& what);

// A number with an optional unit ("1.5 kcal/mol" or 1.5); `unit` is left empty for a bare number.
double Quantity(const YAML::Node& node, const std::string& what, std::string& unit);

// A true/false flag; `fallback` when absent.
bool Flag(const YAML::Node& map, const char* key, bool fallback);

}  // namespace vantor::yaml
