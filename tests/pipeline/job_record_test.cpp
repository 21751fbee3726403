// Filling the job record: paths for the detailed and the reduced files, the cases, and what
// does not fit.

#include <gtest/gtest.h>

#include "app/core/pipeline/input_checks.h"
#include "app/core/pipeline/job_record_fill.h"
#include "common/path_field.h"
#include "pipeline/test_support.h"

namespace vantor {
namespace {

using test::TempDir;

class JobRecordFill : public ::testing::Test {
protected:
    JobRecordFill() {
        files.systemDirectory = "/opt/vantor";
        files.workDirectory = dir.Path();
        files.mechanismPath = dir.File("chem.inp");
        files.mechanismBinaryPath = dir.File("chem.bin");
        test::WriteText(dir.File("therm.dat"), "THERMO\n");  // found whatever its letter case
        SettingsInput input;
        input.mixtureLines = {"CH4 1, O2 2", "O2 1"};
        input.speciesNames = {"O2", "CH4"};
        input.speciesMarks = {true, true};
        test::VectorSink sink;
        EXPECT_EQ(settings.GetReactDat(input, EngineMethod::Pfa, CLocaleNumbers(), sink), kSettingsOk);
    }
    TempDir dir;
    RunFiles files;
    TWState settings;
    JobRecord job{};
};

TEST_F(JobRecordFill, DetailedPathsAndCases) {
    const JobFillResult r = FillJobRecord(job, settings, files);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(DecodePathField(job.StartDir), "/opt/vantor");
    EXPECT_EQ(DecodePathField(job.MechBinFile), dir.File("chem.bin"));
    EXPECT_EQ(DecodePathField(job.InpFile), dir.File("chem.inp"));
    EXPECT_EQ(DecodePathField(job.SaveFile), dir.File("SAVE.dat"));
    EXPECT_EQ(DecodePathField(job.TrimFile), dir.File("SP.TRM"));
    EXPECT_EQ(DecodePathField(job.ThermFile), dir.File("therm.dat"));
    EXPECT_EQ(DecodePathField(job.TranDatFile), dir.File("Tran.dat"));  // none there: the name as written
    EXPECT_EQ(DecodePathField(job.TranspBinFile), dir.File("Tran.bin"));
    EXPECT_EQ(job.NPress, 2);
    EXPECT_EQ(job.NTemp, 2);
    EXPECT_EQ(job.NMix, 2);
    EXPECT_EQ(job.Press[1], 2.0);
    EXPECT_EQ(job.Temp[0], 1000.0);
    EXPECT_EQ(job.EndTimeMode, 2);
    EXPECT_EQ(job.NPoints, 20);
    EXPECT_EQ(job.Threshold, 2.0 - 2.0 * 0.98);
    EXPECT_EQ(job.MaxTime, 1e10);
    EXPECT_EQ(job.Marker, 99);
    // Transposed: the mixture number varies fastest.
    EXPECT_EQ(job.MixIndex[1 + 51 * 0], 2);
    EXPECT_EQ(job.MixIndex[1 + 51 * 1], 2);  // CH4
    EXPECT_EQ(job.MixIndex[1 + 51 * 2], 1);  // O2
    EXPECT_EQ(job.MixAmount[1 + 51 * 2], 2.0);
    EXPECT_EQ(job.mixIndex(2, 0), 1);
    EXPECT_EQ(job.LastMixCount, 1);
}

TEST_F(JobRecordFill, ReducedPathsLeaveNoTraceInTheNextDetailedFill) {
    job.ReducedFilesFlag = 1;
    ASSERT_TRUE(FillJobRecord(job, settings, files).ok);
    EXPECT_EQ(DecodePathField(job.MechBinFile), dir.File("New_Chem.bin"));
    EXPECT_EQ(DecodePathField(job.OutFile), dir.File("New_Out.dat"));
    EXPECT_EQ(DecodePathField(job.SaveFile), dir.File("New_SAVE.dat"));
    EXPECT_EQ(DecodePathField(job.TmpFile), dir.File("New_TMP.dat"));
    EXPECT_EQ(DecodePathField(job.InpFile), dir.File("NEW_Chem.inp"));
    EXPECT_EQ(DecodePathField(job.ThermFile), dir.File("therm.dat"));

    job.ReducedFilesFlag = 0;
    ASSERT_TRUE(FillJobRecord(job, settings, files).ok);
    const std::string out = dir.File("Out.dat");
    EXPECT_EQ(DecodePathField(job.OutFile), out);
    // Terminator, then blanks to the end of the field.
    EXPECT_EQ(job.OutFile[out.size()], u'\0');
    for (size_t i = out.size() + 1; i < kPathFieldUnits; ++i) ASSERT_EQ(job.OutFile[i], u' ') << i;
}

TEST_F(JobRecordFill, PathLongerThanAFieldIsRefusedNotCut) {
    files.workDirectory = "/" + std::string(95, 'w');
    const JobFillResult r = FillJobRecord(job, settings, files);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message.rfind("<E> Path too long", 0), 0u);
    EXPECT_NE(r.message.find(files.workDirectory), std::string::npos);
    for (char16_t unit : job.OutFile) ASSERT_EQ(unit, u' ');
}

TEST_F(JobRecordFill, MechanismNamedLikeItsBinaryIsNotOverwritten) {
    files.mechanismPath = dir.File("mech.bin");
    files.mechanismBinaryPath = files.mechanismPath;
    ASSERT_TRUE(FillJobRecord(job, settings, files).ok);
    EXPECT_EQ(DecodePathField(job.MechBinFile), dir.File("Chem.bin"));
}

TEST_F(JobRecordFill, InputChecksFollowTheTaskOrder) {
    JobFillResult r = FillJobRecord(job, settings, files);
    auto missing = FindMissingInput(3, r.paths);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->message, "<E> Cannot find INP file.");
    test::WriteText(files.mechanismPath, "SPECIES\n");
    EXPECT_FALSE(FindMissingInput(3, r.paths));  // therm.dat matched without regard to case

    missing = FindMissingInput(2, r.paths);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->message, "<E> Cannot find Chemistry file.");
    test::WriteText(files.mechanismBinaryPath, "bin");
    missing = FindMissingInput(2, r.paths);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->message, "<E> Cannot find Standard data.");

    missing = FindMissingInput(4, r.paths);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->message, "<E> Cannot find transport file.");
    EXPECT_TRUE(missing->endsRun);
    EXPECT_FALSE(FindMissingInput(5, r.paths));
}

TEST_F(JobRecordFill, NamedDataFilesAndThermoAllNeedNoTherm) {
    files.thermoPath = dir.File("ARAMCOMECH30.THERM");
    files.transportPath = dir.File("trandat-d");
    JobFillResult r = FillJobRecord(job, settings, files);
    EXPECT_EQ(DecodePathField(job.ThermFile), files.thermoPath);
    EXPECT_EQ(DecodePathField(job.TranDatFile), files.transportPath);
    test::WriteText(files.mechanismPath, "SPECIES\nH2\nEND\nTHERMO\nEND\n");
    auto missing = FindMissingInput(3, r.paths);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->message, "<E> Cannot find thermal file (therm.dat).");
    // "thermo all" (any case, a comment mentioning it elsewhere does not count) needs no file.
    test::WriteText(files.mechanismPath, "SPECIES ! thermo all below\nH2\nEND\n  ther all\nEND\n");
    EXPECT_FALSE(FindMissingInput(3, r.paths));
}

}  // namespace
}  // namespace vantor
