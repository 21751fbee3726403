#include "app/core/pipeline/job_record_fill.h"

#include <algorithm>

#include "common/path_field.h"

namespace vantor {

namespace {

JobPaths DetailedPaths(const RunFiles& files) {
    const std::string& work = files.workDirectory;
    JobPaths p;
    // A mechanism whose name already ends in "bin" must not be overwritten by its own binary.
    const bool ownBinary = !files.mechanismBinaryPath.empty() && files.mechanismBinaryPath != files.mechanismPath;
    p.mechBinFile = ownBinary ? files.mechanismBinaryPath : JoinPath(work, "Chem.bin");
    p.outFile = JoinPath(work, "Out.dat");
    p.trimFile = JoinPath(work, "SP.TRM");
    p.saveFile = JoinPath(work, "SAVE.dat");
    p.tmpFile = JoinPath(work, "TMP.dat");
    p.inpFile = files.mechanismPath;
    return p;
}

JobPaths ReducedPaths(const RunFiles& files) {
    const std::string& work = files.workDirectory;
    JobPaths p;
    p.mechBinFile = JoinPath(work, "New_Chem.bin");
    p.outFile = JoinPath(work, "New_Out.dat");
    p.trimFile = JoinPath(work, "New_SP.TRM");
    p.saveFile = JoinPath(work, "New_SAVE.dat");
    p.tmpFile = JoinPath(work, "New_TMP.dat");
    // The reduced writer stores this exact name.
    p.inpFile = JoinPath(work, "NEW_Chem.inp");
    return p;
}

void EncodeOrRefuse(const std::string& path, PathField& field, JobFillResult& result) {
    if (EncodePathField(path, field) || !result.ok) return;
    result.ok = false;
    result.refusedPath = path;
    result.message = Utf16Length(path) < 0
                         ? "<E> Path is not valid UTF-8: " + path
                         : "<E> Path too long for the job record (99 characters at most): " + path;
}

void FillPaths(JobRecord& job, const JobPaths& p, JobFillResult& result) {
    EncodeOrRefuse(p.startDir, job.StartDir, result);
    EncodeOrRefuse(p.mechBinFile, job.MechBinFile, result);
    EncodeOrRefuse(p.outFile, job.OutFile, result);
    EncodeOrRefuse(p.trimFile, job.TrimFile, result);
    EncodeOrRefuse(p.saveFile, job.SaveFile, result);
    EncodeOrRefuse(p.tmpFile, job.TmpFile, result);
    EncodeOrRefuse(p.inpFile, job.InpFile, result);
    EncodeOrRefuse(p.thermFile, job.ThermFile, result);
    EncodeOrRefuse(p.tranDatFile, job.TranDatFile, result);
    EncodeOrRefuse(p.transpBinFile, job.TranspBinFile, result);
}

void FillCases(JobRecord& job, const TWState& s) {
    job.NPress = static_cast<int16_t>(s.n_Ps);
    job.NTemp = static_cast<int16_t>(s.n_Ts);
    job.NMix = static_cast<int16_t>(s.n_Mixs);
    for (int i = 1; i <= std::min(s.n_Ps, kMaxListValues); ++i) job.Press[i - 1] = s.Ps[i];
    for (int i = 1; i <= std::min(s.n_Ts, kMaxListValues); ++i) job.Temp[i - 1] = s.Ts[i];
    job.EndTime = s.v_Tend;
    job.EndTimeMode = s.n_Tendm;
    job.NPoints = s.n_PNT;
    job.Threshold = s.v_THD;
    job.HeatKeptRatio = s.v_HKEEP;
    job.TimeStep = s.v_STP;
    for (int m = 1; m <= std::min(s.n_Mixs, kMaxListValues); ++m) {
        const int16_t count = s.Indxs[m][0];
        job.LastMixCount = count;
        job.mixIndex(m, 0) = count;
        for (int k = 1; k <= std::min<int>(count, kMaxListValues); ++k) {
            job.mixIndex(m, k) = s.Indxs[m][k];
            job.mixAmount(m, k) = s.Xmols[m][k];
        }
    }
    for (int k = 0; k < kListSlots; ++k) job.alwaysKept(k) = k <= s.AlwaysKept[0] ? s.AlwaysKept[k] : 0;
    job.MaxTime = s.V_MaxT;
    job.Marker = 99;
}

}  // namespace

JobFillResult FillJobRecord(JobRecord& job, const TWState& settings, const RunFiles& files) {
    JobFillResult result;
    JobPaths& p = result.paths;
    p = job.ReducedFilesFlag == 0 ? DetailedPaths(files) : ReducedPaths(files);
    p.startDir = files.systemDirectory;
    p.thermFile = files.thermoPath.empty() ? ResolveFixedName(files.workDirectory, "Therm.dat") : files.thermoPath;
    p.tranDatFile = files.transportPath.empty() ? ResolveFixedName(files.workDirectory, "Tran.dat") : files.transportPath;
    p.transpBinFile = JoinPath(files.workDirectory, "Tran.bin");
    FillPaths(job, p, result);
    FillCases(job, settings);
    return result;
}

}  // namespace vantor
