#include "engine/common/reduction_run.h"

#include <sys/stat.h>

#include <fstream>
#include <iostream>
#include <new>

#include "chemlib/chemistry_routines.h"
#include "common/fixed_format.h"
#include "common/target_list.h"
#include "common/atomic_file.h"
#include "common/entry_abi.h"
#include "common/record_io.h"
#include "engine/common/job_intake.h"
#include "engine/common/mechanism_loading.h"
#include "engine/common/reduction_sink.h"
#include "engine/common/run_listing.h"
#include "engine/common/standard_data_reader.h"
#include "engine/common/state_preparation.h"
#include "engine/common/target_species.h"
#include "engine/common/trimmed_species_file.h"

namespace vantor::engine {
namespace {

constexpr int kTaskCode = 2;

enum class PathKind { Missing, RegularFile, Other };

PathKind Probe(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return PathKind::Missing;
    return S_ISREG(st.st_mode) ? PathKind::RegularFile : PathKind::Other;
}

int32_t ReportMissing(std::ostream& listing, const std::string& path, int32_t status) {
    WriteFreeRecord(listing, "FILE " + PaddedPath(path) + " not found.");
    return status;
}

int32_t ReportError(std::ostream& listing, const std::string& text, int32_t status) {
    WriteFreeRecord(listing, "* ERROR: " + text);
    return status;
}

// Stages 4 to 13 of one run, with the listing open.
class RunStages {
public:
    RunStages(const JobIntake& intake, std::ostream& listing, AtomicFile& trimmed, const ReductionMethod& method)
        : intake_(intake), listing_(listing), trimmed_(trimmed), method_(method), codes_(method.Codes()) {}

    int32_t Execute(double* progress) {
        WriteFreeRecord(listing_, WithValues("MXSP=", {chem::ProcessChemistryLibrary().Layout().MXSP}));
        if (const int32_t status = CheckThreshold()) return status;
        if (const int32_t status = OpenFiles()) return status;
        StandardDataReader reader(save_, intake_.standardDataPath, listing_, codes_);
        StandardDataDimensions dims;
        if (const int32_t status = reader.FirstPass(dims)) return status;
        MechanismWorkArrays work;
        if (const int32_t status = LoadMechanism(dims, mech_, listing_, codes_, work)) return status;
        if (const int32_t status = CheckDimensions(dims)) return status;
        return ProcessStates(reader, dims, work, progress);
    }

private:
    int32_t CheckThreshold() {
        const double t = intake_.job.Threshold;
        if (!method_.SearchesFromTargets() || (t >= 0.0 && t <= 1.0)) return 0;
        return ReportError(listing_, "Threshold " + FormatFull(t) + " is outside 0 to 1.", codes_.thresholdRange);
    }

    // The user's target species, once the mechanism's names are loaded.
    int32_t ReadTargets(const MechanismWorkArrays& work, std::vector<int32_t>& targets) {
        if (!method_.SearchesFromTargets()) return 0;
        const chem::MechanismLayout& layout = chem::ProcessChemistryLibrary().Layout();
        names_ = MechanismSpeciesNames(work.cckwrk.data(), layout.cSpeciesNames, layout.KK);
        return ReadTargetSpecies(TargetListPath(intake_.trimmedPath), names_, listing_, codes_, targets);
    }

    // Stages 5 to 8: the mechanism binary, the trimmed-species file and the standard data.
    int32_t OpenFiles() {
        if (Probe(intake_.mechanismPath) == PathKind::Missing)
            return ReportMissing(listing_, intake_.mechanismPath, codes_.mechanismMissing);
        if (Probe(intake_.mechanismPath) != PathKind::RegularFile || !mech_.Open(intake_.mechanismPath))
            return ReportError(listing_, "Open Tolmar file failed.", codes_.mechanismOpen);
        if (std::string why; !CanWriteTrimmedSpeciesFile(intake_.trimmedPath, &why)) {
            WriteFreeRecord(listing_, "* ERROR: Open Trimmed file failed.");
            return ReportError(listing_, why, codes_.trimmedOpen);
        }
        if (Probe(intake_.standardDataPath) == PathKind::Missing)
            return ReportMissing(listing_, intake_.standardDataPath, codes_.standardDataMissing);
        save_.open(intake_.standardDataPath, std::ios::binary);
        if (Probe(intake_.standardDataPath) != PathKind::RegularFile || !save_)
            return ReportError(listing_, "Open standard data file failed: " + intake_.standardDataPath,
                               codes_.standardDataOpen);
        return 0;
    }

    // Stage 11 and the agreement of the standard data with the loaded mechanism.
    int32_t CheckDimensions(const StandardDataDimensions& dims) {
        if (!FitsLineBuffer(dims.NS)) {
            const long long width = static_cast<long long>(dims.NS) + 8;
            WriteFreeRecord(listing_, WithValues("Check the array dimensions:NS,NR,NChar>=", {width, dims.NR, width * 15}));
            return codes_.lineBuffer;
        }
        const chem::MechanismLayout& layout = chem::ProcessChemistryLibrary().Layout();
        if (dims.NS != layout.KK) {
            return ReportError(listing_, intake_.standardDataPath + " is for " + std::to_string(dims.NS) +
                                             " species; the mechanism binary has " + std::to_string(layout.KK) + ".",
                               codes_.speciesMismatch);
        }
        if (dims.NR != layout.II) {
            return ReportError(listing_, intake_.standardDataPath + " is for " + std::to_string(dims.NR) +
                                             " reactions; the mechanism binary has " + std::to_string(layout.II) + ".",
                               codes_.reactionMismatch);
        }
        return 0;
    }

    // Stages 12 and 13: the tables, then every recorded state.
    int32_t ProcessStates(StandardDataReader& reader, const StandardDataDimensions& dims, MechanismWorkArrays& work,
                          double* progress) {
        MechanismTables tables;
        tables.Build(work.ickwrk.data(), work.rckwrk.data(), chem::ProcessChemistryLibrary().Layout(), dims.NS,
                     dims.NR);
        const JobRecord& job = intake_.job;
        std::vector<int32_t> targets;
        if (const int32_t status = ReadTargets(work, targets)) return status;
        StatePreparation preparation(tables, work.ickwrk.data(), work.rckwrk.data(), job.HeatKeptRatio, job.Threshold);
        if (method_.SearchesFromTargets()) preparation.UseTargets(targets, names_);
        RunProgress runProgress{progress, 0.0, intake_.progressDivisor};
        ReductionSink sink(tables, preparation, method_.MakeSearch(tables, job.Threshold), listing_, runProgress,
                           intake_.trimmedPath, trimmed_, codes_, intake_.alwaysKept);
        return reader.SecondPass(dims.NS, sink);
    }

    const JobIntake& intake_;
    std::ostream& listing_;
    AtomicFile& trimmed_;
    const ReductionMethod& method_;
    const EngineStatusCodes& codes_;
    RecordReader mech_;
    std::ifstream save_;
    std::vector<std::string> names_;
};

int32_t RunWithListing(const JobIntake& intake, double* progress, const ReductionMethod& method) {
    const EngineStatusCodes& codes = method.Codes();
    RunListing listing;
    if (!listing.Open(intake.listingPath)) {
        // The listing is the message channel; without it the text goes to the process's error stream.
        std::cerr << "* ERROR: Open out.dat file failed. (" << listing.Error() << ")\n";
        return codes.listingOpen;
    }
    // Written at the final selection, put in place only after the listing.
    AtomicFile trimmed;
    int32_t status = 0;
    try {
        status = RunStages(intake, listing.Stream(), trimmed, method).Execute(progress);
    } catch (const std::bad_alloc&) {
        status = ReportError(listing.Stream(), "not enough memory for the run's arrays.", codes.outOfMemory);
    }
    chem::ProcessChemistryLibrary().ReleasePressureTables();
    if (!listing.Close()) {
        // Whatever else went wrong is in a listing no one can read: this failure is the one to fix.
        std::cerr << "* ERROR: Write out.dat file failed: " << listing.Error() << "\n";
        return codes.listingWrite;
    }
    if (status == 0 && !trimmed.Commit()) {
        std::cerr << "* ERROR: Write Trimmed file failed: " << trimmed.Error() << "\n";
        return codes.trimmedWrite;
    }
    return status;
}

}  // namespace

int32_t RunReduction(const JobRecord* job, int32_t* status, double* progress, const ReductionMethod& method) {
    StoreProgress(progress, 0.0);
    StoreStatus(status, 0);
    int32_t failure = 0;
    try {
        failure = RunWithListing(*TakeJob(*job), progress, method);
    } catch (const std::bad_alloc&) {
        failure = method.Codes().outOfMemory;
    }
    if (failure != 0) {
        StoreStatus(status, failure);
        return 0;
    }
    StoreProgress(progress, kProgressFinished);
    return SuccessResult(kTaskCode);
}

}  // namespace vantor::engine
