#pragma once
// The search bookkeeping: the species kept at each point of the current case (KeptAtPoint), the
// species kept in each case (KeptInCase), and their records in the run listing.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vantor::engine {

class KeptAtPoint {
public:
    explicit KeptAtPoint(int32_t NS) : ns_(NS), mark_(static_cast<size_t>(NS) + 1, 0) {}

    // Point p (1-based) of the current case takes the kept flags (1..NS) of its state; returns the
    // point's kept species, ascending. A point number used again overwrites the earlier point.
    const std::vector<int32_t>& Record(int point, const std::vector<uint8_t>& kept);

    // The species kept at some point 1..pointCount, ascending.
    std::vector<int32_t> Union(int pointCount);

private:
    int32_t ns_;
    std::vector<std::vector<int32_t>> points_;  // point p at [p - 1]
    std::vector<uint8_t> mark_;
};

class KeptInCase {
public:
    explicit KeptInCase(int32_t NS) : ns_(NS), mark_(static_cast<size_t>(NS) + 1, 0) {}

    // Joins the points of case c into its row (a case closed again only adds); returns the row.
    const std::vector<int32_t>& Close(int caseNumber, KeptAtPoint& points, int pointCount);

    // The species kept in some case 1..caseNumber, ascending.
    std::vector<int32_t> AllCases(int caseNumber);

private:
    int32_t ns_;
    std::vector<std::vector<int32_t>> cases_;  // case c at [c - 1]
    std::vector<uint8_t> mark_;
};

// The run's kept species with the species the caller keeps in any case (`always`, any order)
// joined in, ascending. Numbers outside 1..NS join nothing and go to `outside`.
std::vector<int32_t> WithAlwaysKept(std::span<const int32_t> kept, std::span<const int32_t> always, int32_t NS,
                                    std::vector<int32_t>& outside);

// "Line" record of point p: "Line", p (I3), "/21 [", the count (I4), "]:", then the numbers (I5),
// 20 to a line; further lines start with 18 blanks. One string per line.
std::vector<std::string> LineRecord(int point, std::span<const int32_t> species);
// "Case", c (I4), the count (I5), ":", all numbers (I5) on one line.
std::string CaseRecord(int caseNumber, std::span<const int32_t> species);
// "Allcases", the count (I5), ":", all numbers (I5) on one line.
std::string AllcasesRecord(std::span<const int32_t> species);

}  // namespace vantor::engine
