#include "outside/tolmar/tolmar.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <new>
#include <optional>

#include "common/atomic_file.h"
#include "common/entry_abi.h"
#include "common/path_field.h"
#include "outside/tolmar/listing_writer.h"
#include "outside/tolmar/mechanism_compiler.h"

namespace vantor::tolmar {
namespace {

constexpr double kProgressRead = 10.0;

std::optional<std::string> ReadWholeFile(const std::string& path) {
    if (path.empty()) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return text;
}

int32_t Compile(const std::string& inpPath, const std::string& thermPath, const std::string& binPath,
                const std::string& listingPath, double* progress) {
    CompileOutput output;
    const std::optional<std::string> mechanismText = ReadWholeFile(inpPath);
    const std::optional<std::string> thermoText = ReadWholeFile(thermPath);
    if (progress) StoreProgress(progress, kProgressRead);
    if (!mechanismText) {
        output.diagnostics.Error(kFileError, {inpPath, 0}, "cannot read the mechanism input file", "",
                                 "an existing, readable file");
    } else if (binPath.empty()) {
        output.diagnostics.Error(kFileError, {inpPath, 0}, "no mechanism binary file named", "",
                                 "the path of the binary to write");
    } else {
        CompileInput input{*mechanismText, inpPath, std::nullopt, thermPath};
        if (thermoText) input.thermoText = *thermoText;
        CompileMechanism(input, output);
    }
    if (!output.diagnostics.HasErrors()) {
        std::string error;
        if (!WriteFileAtomically(binPath, output.binary, &error))
            output.diagnostics.Error(kFileError, {binPath, 0}, "cannot write the mechanism binary", error, "");
    }
    if (!listingPath.empty()) {
        const std::string thermo = output.thermoFileUsed ? thermPath : output.thermoAll ? "" : "(not read)";
        const ListingSources sources{inpPath, thermo, binPath};
        std::string error;
        if (!WriteFileAtomically(listingPath, WriteListing(sources, output.mechanism, output.compiled, output.diagnostics),
                                 &error)) {
            // The listing is where diagnostics go; without it the reason goes to the error stream.
            std::cerr << "* ERROR: the run listing cannot be written: " << error << "\n";
            return output.Status() != kCompileOk ? output.Status() : kFileError;
        }
    }
    return output.Status();
}

// Keeps failures of the interpreter itself (out of memory) inside the library.
int32_t CompileGuarded(const std::string& inpPath, const std::string& thermPath, const std::string& binPath,
                       const std::string& listingPath, double* progress) {
    try {
        return Compile(inpPath, thermPath, binPath, listingPath, progress);
    } catch (const std::bad_alloc&) {
        return kInternalError;
    } catch (...) {
        return kInternalError;
    }
}

}  // namespace

int32_t RunTolmar(const JobRecord& job, int32_t& status, double& progress) {
    StoreStatus(&status, kCompileOk);
    StoreProgress(&progress, 0.0);
    const int32_t result = CompileGuarded(DecodePathField(job.InpFile), DecodePathField(job.ThermFile),
                                          DecodePathField(job.MechBinFile), DecodePathField(job.OutFile), &progress);
    StoreStatus(&status, result);
    if (result != kCompileOk) return 0;
    StoreProgress(&progress, kProgressFinished);
    return SuccessResult(3);
}

int32_t CompileMechanismFiles(const std::string& inpPath, const std::string& thermPath, const std::string& binPath,
                              const std::string& listingPath) {
    return CompileGuarded(inpPath, thermPath, binPath, listingPath, nullptr);
}

}  // namespace vantor::tolmar
