#include "cli/mixture_text.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

namespace vantor::cli {

namespace {

// A mixture line is a name and an amount; anything longer than this is not one (and reading an
// endless line would take memory without bound).
constexpr size_t kMaxLineLength = 65536;

// Amounts add up in the wider type, so that no sum of finite amounts overflows (1e308 + 1e308).
static_assert(std::numeric_limits<long double>::max_exponent > std::numeric_limits<double>::max_exponent);
using Amounts = std::vector<long double>;

// Adds one "NAME amount" entry; an entry of blanks only adds nothing.
bool AddEntry(const std::string& entry, const chem::Mechanism& mech, Amounts& amounts, std::string& error) {
    std::istringstream fields(entry);
    std::string name, amountText, extra;
    if (!(fields >> name)) return true;
    if (!(fields >> amountText) || (fields >> extra)) {
        error = "entry '" + entry + "' is not 'NAME amount'";
        return false;
    }
    const int32_t k = mech.SpeciesIndex(name);
    if (k == 0) {
        error = "species '" + name + "' is not in the mechanism";
        return false;
    }
    char* end = nullptr;
    const double amount = std::strtod(amountText.c_str(), &end);
    if (*end != '\0' || !std::isfinite(amount) || amount < 0.0) {
        error = "amount '" + amountText + "' of " + name + " is not a finite number of 0 or more";
        return false;
    }
    amounts[static_cast<size_t>(k - 1)] += amount;
    return true;
}

bool Normalise(const Amounts& amounts, std::vector<double>& X, std::string& error) {
    long double total = 0.0L;
    for (const long double a : amounts) total += a;
    if (!(total > 0.0L)) {
        error = "no species with an amount above 0";
        return false;
    }
    X.resize(amounts.size());
    for (size_t k = 0; k < amounts.size(); ++k) X[k] = static_cast<double>(amounts[k] / total);
    return true;
}

// One line of at most kMaxLineLength characters; false at the end of the input or on a longer
// line (`tooLong` set).
bool ReadBoundedLine(std::istream& in, std::string& line, bool& tooLong) {
    line.clear();
    tooLong = false;
    std::streambuf& buffer = *in.rdbuf();
    for (int c = buffer.sbumpc(); c != std::char_traits<char>::eof(); c = buffer.sbumpc()) {
        if (c == '\n') return true;
        if (line.size() == kMaxLineLength) {
            tooLong = true;
            return false;
        }
        line.push_back(static_cast<char>(c));
    }
    return !line.empty();
}

}  // namespace

bool ParseMixtureText(std::string_view text, const chem::Mechanism& mech, std::vector<double>& X,
                      std::string& error) {
    Amounts amounts(static_cast<size_t>(mech.KK()), 0.0L);
    std::stringstream entries{std::string(text)};
    for (std::string entry; std::getline(entries, entry, ',');) {
        if (!AddEntry(entry, mech, amounts, error)) return false;
    }
    return Normalise(amounts, X, error);
}

bool ReadMixtureFile(const std::string& path, const chem::Mechanism& mech, std::vector<double>& X,
                     std::string& error) {
    // A device such as /dev/zero reads without end and a FIFO blocks the open: only a regular file.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        error = std::filesystem::exists(path, ec) ? path + " is not a regular file" : "cannot find " + path;
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    Amounts amounts(static_cast<size_t>(mech.KK()), 0.0L);
    int number = 0;
    std::string line;
    for (bool tooLong = false; ReadBoundedLine(in, line, tooLong) || tooLong;) {
        ++number;
        if (tooLong) {
            error = path + " line " + std::to_string(number) + ": longer than " + std::to_string(kMaxLineLength) +
                    " characters";
            return false;
        }
        if (number == 1 && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);  // a byte-order mark
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '!') continue;
        if (!AddEntry(line, mech, amounts, error)) {
            error = path + " line " + std::to_string(number) + ": " + error;
            return false;
        }
    }
    if (in.bad()) {
        error = "cannot read " + path;
        return false;
    }
    if (Normalise(amounts, X, error)) return true;
    error = path + ": " + error;
    return false;
}

}  // namespace vantor::cli
