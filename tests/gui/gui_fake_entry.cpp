// A stand-in for one engine or outside library in the window tests: FAKE_ENTRY names the entry,
// FAKE_TASK_CODE its task code. It writes small but well-formed outputs (a trimmed-species file
// that removes two species, standard data with one case), so a whole run can go through the
// window without the real libraries. The entry fails with status 7 when the environment variable
// VANTOR_FAKE_FAIL names it; when VANTOR_FAKE_HOLD names it, its call lasts as long as a file
// "fake_hold" stands in the current folder.

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "common/entry_abi.h"
#include "common/path_field.h"

namespace {

#define VANTOR_STRINGIFY2(x) #x
#define VANTOR_STRINGIFY(x) VANTOR_STRINGIFY2(x)
constexpr const char* kEntryName = VANTOR_STRINGIFY(FAKE_ENTRY);

void Write(const vantor::PathField& field, const char* text) {
    std::ofstream(vantor::DecodePathField(field), std::ios::binary) << text;
}

constexpr const char* kStandardData =
    "! Var#=    60  SP fake mechanism\r\n"
    "M DIMENSIONS       1 53 325 1 1 1\r\n"
    "TAU0 1 1.0 1000.0\r\n"
    "INI P(atm)=  1.0\r\n"
    "INI T(K)=    1000.0\r\n"
    "INI SP IDX  14 4\r\n"
    "INI SP MOL  0.33 0.67\r\n"
    "DTAUi(s)=  1.0E-01\r\n"
    "DTMAX(K)=  1500.0\r\n"
    "END\r\n";

void WriteOutputs(const vantor::JobRecord& job) {
    switch (FAKE_TASK_CODE) {
        case 1:
            Write(job.SaveFile, kStandardData);
            Write(job.OutFile, "listing\r\n");
            break;
        case 2:
            Write(job.TrimFile, "NOTE: Original SP#=53\r\n 52 53\r\n");
            Write(job.OutFile, "listing\r\n");
            break;
        case 3:
            Write(job.MechBinFile, "binary");
            break;
        case 4:
            Write(job.TranspBinFile, "binary");
            break;
        default:
            break;
    }
}

bool Named(const char* variable) {
    const char* names = std::getenv(variable);
    return names && std::strstr(names, kEntryName);
}

}  // namespace

VANTOR_EXPORT int32_t FAKE_ENTRY(vantor::JobRecord* job, int32_t* status, double* progress) {
    vantor::StoreStatus(status, 0);
    vantor::StoreProgress(progress, 0.0);
    if (Named("VANTOR_FAKE_HOLD")) {
        std::error_code ec;
        while (std::filesystem::exists("fake_hold", ec)) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (Named("VANTOR_FAKE_FAIL")) {
        vantor::StoreProgress(progress, 37.0);
        Write(job->OutFile, "listing\r\n");  // a failing library says why in its listing
        vantor::StoreStatus(status, 7);
        return 0;
    }
    WriteOutputs(*job);
    vantor::StoreProgress(progress, vantor::kProgressFinished);
    return vantor::SuccessResult(FAKE_TASK_CODE);
}
