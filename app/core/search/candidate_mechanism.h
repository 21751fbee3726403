#pragma once
// A candidate's species set and its reduced mechanism: the trimmed-species file the engines
// write is read into keep marks, marks are written back as such a file, and the reduced writer
// turns the detailed model and a set of marks into the candidate's mechanism text.

#include <cstdint>
#include <string>
#include <vector>

#include "app/core/mechanism/mechanism_model.h"
#include "app/core/mechanism/reduced_writer.h"

namespace vantor::search {

using KeepMarks = std::vector<bool>;  // per species of the detailed mechanism; true = kept

// Keep marks from a trimmed-species file of `speciesCount` species; false when it cannot be read
// or names a number outside 1..speciesCount (`error` says which).
bool ReadKeepMarks(const std::string& path, int32_t speciesCount, KeepMarks& marks, std::string& error);

// The trimmed-species file of `marks`: the title line with the counts, then the numbers of the
// species not kept, 2000 to a line, CR LF line ends; written atomically.
bool WriteTrimmedSpeciesFile(const std::string& path, const KeepMarks& marks, std::string& error);

int32_t KeptCount(const KeepMarks& marks);

// The reduced mechanism of `marks` (through a trimmed-species file at `trimPath`), built from
// the detailed `model` with `header` as the reduced writer builds it; not stored.
ReducedWriterOutcome BuildCandidateMechanism(const MechanismModel& model, const ReducedHeaderSettings& header,
                                             const KeepMarks& marks, const std::string& trimPath);

}  // namespace vantor::search
