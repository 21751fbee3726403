#include "app/core/yaml/yaml_input.h"

#include <cmath>

#include "app/core/yaml/yaml_units.h"

namespace vantor::yaml {

void Fail(const YAML::Node& at, const std::string& problem, const std::string& expected) {
    const YAML::Mark mark = at.IsDefined() ? at.Mark() : YAML::Mark::null_mark();
    const bool known = mark.line >= 0;
    throw YamlInputError(known ? mark.line + 1 : 0, known ? mark.column + 1 : 0, problem + "; expected " + expected);
}

YAML::Node Require(const YAML::Node& map, const char* key, const std::string& what) {
    if (!map.IsMap()) Fail(map, what + " is not a mapping", "a mapping with \"" + std::string(key) + "\"");
    const YAML::Node node = map[key];
    if (!node) Fail(map, what + " has no \"" + key + "\"", "a \"" + std::string(key) + "\" entry");
    return node;
}

double Number(const YAML::Node& node, const std::string& what) {
    double value = 0.0;
    if (!node.IsScalar() || !YAML::convert<double>::decode(node, value) || !std::isfinite(value))
        Fail(node, what + " is not a number", "a finite number");
    return value;
}

std::string Text(const YAML::Node& node, const std::string& what) {
    if (!node.IsScalar()) Fail(node, what + " is not a single value", "a name or text");
    return node.Scalar();
}

double Quantity(const YAML::Node& node, const std::string& what, std::string& unit) {
    unit.clear();
    double value = 0.0;
    if (node.IsScalar() && YAML::convert<double>::decode(node, value) && std::isfinite(value)) return value;
    if (!node.IsScalar() || !SplitQuantity(node.Scalar(), value, unit) || !std::isfinite(value))
        Fail(node, what + " is not a number", "a number, or a number and its unit");
    return value;
}

bool Flag(const YAML::Node& map, const char* key, bool fallback) {
    const YAML::Node node = map[key];
    if (!node) return fallback;
    bool value = false;
    if (!node.IsScalar() || !YAML::convert<bool>::decode(node, value))
        Fail(node, "\"" + std::string(key) + "\" is not true or false", "true or false");
    return value;
}

}  // namespace vantor::yaml
