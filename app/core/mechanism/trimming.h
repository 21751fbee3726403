#pragma once
// Trimming: which species of the opened mechanism are kept. The trimmed-species file of the
// reduction engines is the main source; list files of names, numbers or reaction numbers and the
// user's own ticks are the others. Also the reaction map and the species-list exports.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/mechanism/mechanism_model.h"

namespace vantor {

inline constexpr int32_t kTrimReaderFailed = 101;  // status of the trimmed-species reader

// The trimmed-species reader: checks every species, then unchecks each species whose number
// the file at model.TrimmedSpeciesPath lists (lines beginning with N or n are skipped) and
// appends its name to RemovedSpeciesNames. Returns 0, or kTrimReaderFailed when the path is
// empty, the file is missing or unreadable, or a token is not an integer (`error` says which
// file, line and token); marks set before a bad token stay.
int32_t ReadTrimmedSpecies(MechanismModel& model, std::string* error = nullptr);

// Recounts the kept species after any change of the marks; sets KeptSpeciesCount and the
// "Species Kept:<n>; Trimmed:<m>" caption.
void UpdateSpeciesCounts(MechanismModel& model);

// "Trim species and Reacrions": runs the reader and returns the line for the message memo,
// "> Species and reactions trimming completed!" or "<E> Trmming species error.".
std::string TrimSpeciesAndReactions(MechanismModel& model);

struct TrimCommandResult {
    bool ok = true;
    std::string error;  // names the list file, the line and the value at fault
};

// The list-file commands. Names match exactly (case kept); numbers are 1-based species numbers.
// A file that cannot be read changes nothing.
TrimCommandResult RemoveBySpeciesName(MechanismModel& model, const std::string& listPath);
TrimCommandResult KeepBySpeciesName(MechanismModel& model, const std::string& listPath);
// A token that is not an integer stops the command; marks set before it stay.
TrimCommandResult KeepBySpeciesNumber(MechanismModel& model, const std::string& listPath);

// "Remove by reaction #": writes "Reac_SP_Map.Txt" into `mapDirectory` (the working directory),
// unkeeps the lines of every reaction listed in the file at model.TrimmedSpeciesPath (first
// integer of each line), then unchecks every species that no kept reaction line names.
// Nothing happens when TrimmedSpeciesPath is empty. Sets the "Reac Kept:..  Trimmed:.." caption.
// `confirmation` gets "Trim Using Reaction # OK!" on success.
struct ReactionTrimResult : TrimCommandResult {
    int32_t mapReactionCount = 0;
    int32_t trimmedReactionCount = 0;
    std::string confirmation;
};
ReactionTrimResult RemoveByReactionNumber(MechanismModel& model, const std::string& mapDirectory);

inline constexpr const char* kReactionMapFileName = "Reac_SP_Map.Txt";

// The reaction map: per line of the reaction section (comments, empty and END lines left out) its
// code R x 100000 + L, R the reaction number, L the 1-based line number; auxiliary lines carry the
// number of the reaction above them and are indented by five blanks in the file.
struct ReactionMapEntry {
    int32_t reaction = 0;
    int32_t line = 0;
    bool isReaction = false;
    int32_t Code() const { return reaction * 100000 + line; }
};
struct ReactionMap {
    std::vector<ReactionMapEntry> entries;
    int32_t reactionCount = 0;
    int32_t firstReactionLine = 0;  // 1-based, 0 when there is none
    int32_t lastReactionLine = 0;
    bool fits = true;               // false when a code would not fit the file's 32-bit integers
};
ReactionMap BuildReactionMap(const std::vector<MechanismLine>& text);
std::string FormatReactionMap(const ReactionMap& map);  // CR LF line ends

// Whole-token test of the reaction trim: the name occurs in the line not as part of a longer name
// (a neighbouring digit, letter, "_" or "-" makes it part of one). The whole line is searched,
// a trailing comment included.
bool SpeciesInLine(std::string_view name, std::string_view line);

// The species-list exports: a dated header line, then the kept (checked) or trimmed (unchecked)
// names one per line in species order, CR LF line ends, written atomically. `timestamp` is
// "YYYY-MM-DD HH:NN:SS" (FormatLocalTimestamp).
bool ExportKeptSpecies(const MechanismModel& model, const std::string& path, const std::string& timestamp,
                       std::string* error = nullptr);
bool ExportTrimmedSpecies(const MechanismModel& model, const std::string& path, const std::string& timestamp,
                          std::string* error = nullptr);

}  // namespace vantor
