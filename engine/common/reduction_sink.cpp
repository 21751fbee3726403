#include "engine/common/reduction_sink.h"

#include "common/atomic_file.h"
#include "common/entry_abi.h"
#include "engine/common/run_listing.h"
#include "engine/common/trimmed_species_file.h"

namespace vantor::engine {

ReductionSink::ReductionSink(const MechanismTables& tables, StatePreparation& preparation,
                             std::unique_ptr<StateSearch> search, std::ostream& listing,
                             RunProgress& progress, std::string trimmedPath, AtomicFile& trimmed,
                             const EngineStatusCodes& codes, std::vector<int32_t> alwaysKept)
    : tables_(tables),
      preparation_(preparation),
      listing_(listing),
      progress_(progress),
      trimmedPath_(std::move(trimmedPath)),
      trimmed_(trimmed),
      codes_(codes),
      alwaysKept_(std::move(alwaysKept)),
      fluxes_(tables),
      search_(std::move(search)),
      keptAtPoint_(tables.NS()),
      keptInCase_(tables.NS()) {}

int32_t ReductionSink::RecordState(const RecordedState& state) {
    if (!listing_) return codes_.listingWrite;
    if (const int32_t rateStatus = preparation_.Prepare(state, listing_)) {
        WriteFreeRecord(listing_, "* ERROR: the rates could not be evaluated at case " +
                                      std::to_string(state.caseNumber) + ", point " +
                                      std::to_string(state.pointNumber) + " (chemistry library status " +
                                      std::to_string(rateStatus) + ").");
        return codes_.rateFailure;
    }
    fluxes_.Compute(preparation_.ForwardRates(), preparation_.ReverseRates());
    search_->Search(preparation_.Preselected(), fluxes_);

    const std::vector<int32_t>& kept = keptAtPoint_.Record(state.pointNumber, search_->Kept());
    StepProgress();
    for (const std::string& line : LineRecord(state.pointNumber, kept)) WriteFixedRecord(listing_, line);
    return 0;
}

void ReductionSink::StepProgress() {
    if (progress_.value < 100.0) {
        progress_.value += 100.0 / progress_.divisor;
        StoreProgress(progress_.channel, progress_.value);
    }
}

void ReductionSink::CloseCase(int caseNumber, int pointCount) {
    const std::vector<int32_t>& row = keptInCase_.Close(caseNumber, keptAtPoint_, pointCount);
    WriteFixedRecord(listing_, CaseRecord(caseNumber, row));
}

int32_t ReductionSink::FinalSelection(int caseNumber) {
    std::vector<int32_t> outside;
    const std::vector<int32_t> kept =
        WithAlwaysKept(keptInCase_.AllCases(caseNumber), alwaysKept_, tables_.NS(), outside);
    const auto numbersRecord = [this](std::string text, const std::vector<int32_t>& numbers) {
        if (numbers.empty()) return;
        for (const int32_t k : numbers) text += " " + std::to_string(k);
        WriteFreeRecord(listing_, text);
    };
    numbersRecord("Always kept:", alwaysKept_);
    numbersRecord("* WARNING: species numbers to keep beyond the mechanism, ignored:", outside);
    WriteFixedRecord(listing_, AllcasesRecord(kept));
    if (!listing_) return codes_.listingWrite;
    const std::vector<int32_t> trimmed = TrimmedSpecies(tables_.NS(), kept);
    if (!trimmed_.Open(trimmedPath_) || !trimmed_.Write(TrimmedSpeciesText(tables_.NS(), trimmed)) ||
        !trimmed_.Sync()) {
        WriteFreeRecord(listing_, "* ERROR: Write Trimmed file failed: " + trimmed_.Error());
        trimmed_.Abandon();
        return codes_.trimmedWrite;
    }
    return 0;
}

}  // namespace vantor::engine
