// The exported entry as the program calls it: loaded from libTolmar.so, job record in, status,
// progress and result out.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "common/entry_abi.h"
#include "common/path_field.h"
#include "tolmar/tolmar_test_support.h"

namespace vantor::tolmar::testing {
namespace {

class TolmarEntry : public ::testing::Test {
protected:
    void SetUp() override {
        handle_ = dlopen((std::string(VANTOR_BIN_DIR) + "/libTolmar.so").c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle_, nullptr) << dlerror();
        entry_ = reinterpret_cast<EntryFunction>(dlsym(handle_, "CKINTPTOBIN"));
        ASSERT_NE(entry_, nullptr);
    }
    void TearDown() override {
        if (handle_) dlclose(handle_);
    }

    std::unique_ptr<JobRecord> Job(const std::string& inp, const std::string& therm, const std::string& bin,
                                   const std::string& out) {
        auto job = std::make_unique<JobRecord>();
        for (PathField* f : {&job->StartDir, &job->MechBinFile, &job->OutFile, &job->TrimFile, &job->SaveFile,
                             &job->TmpFile, &job->InpFile, &job->ThermFile, &job->TranDatFile, &job->TranspBinFile})
            ClearPathField(*f);
        EXPECT_TRUE(EncodePathField(inp, job->InpFile));
        EXPECT_TRUE(EncodePathField(therm, job->ThermFile));
        EXPECT_TRUE(EncodePathField(bin, job->MechBinFile));
        EXPECT_TRUE(EncodePathField(out, job->OutFile));
        return job;
    }

    void* handle_ = nullptr;
    EntryFunction entry_ = nullptr;
};

TEST_F(TolmarEntry, CompilesAndSignalsCompletion) {
    TempDir dir;
    std::filesystem::create_directories(dir.Path("work folder"));
    const std::string bin = dir.Path("work folder/Chem.bin"), out = dir.Path("work folder/Out.dat");
    auto job = Job(DataPath("gri30/chem.inp"), DataPath("gri30/therm.dat"), bin, out);
    int32_t status = 77;
    double progress = -1.0;
    EXPECT_EQ(entry_(job.get(), &status, &progress), 10308);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(progress, 9999.0);
    BinaryImage image;
    std::string error;
    ASSERT_TRUE(ReadBinaryImage(bin, image, error)) << error;
    EXPECT_EQ(image.II(), 325);
    EXPECT_NE(ReadFileText(out).find("Status 0"), std::string::npos);
}

TEST_F(TolmarEntry, FailureLeavesStatusAndNoCompletionSignal) {
    TempDir dir;
    const std::string inp = dir.Write("chem.inp", "ELEMENTS H END\nSPECIES H2 X END\nEND\n");
    const std::string bin = dir.Write("Chem.bin", "old");
    auto job = Job(inp, DataPath("gri30/therm.dat"), bin, dir.Path("Out.dat"));
    int32_t status = 0;
    double progress = -1.0;
    EXPECT_EQ(entry_(job.get(), &status, &progress), 0);
    EXPECT_GT(status, 0);
    EXPECT_LT(progress, 9990.0);
    EXPECT_EQ(ReadFileText(bin), "old");
    EXPECT_NE(ReadFileText(dir.Path("Out.dat")).find("no thermo data for species \"X\""), std::string::npos);
}

}  // namespace
}  // namespace vantor::tolmar::testing
