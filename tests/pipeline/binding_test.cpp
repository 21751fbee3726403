// Binding the shared libraries by name and the worker thread's contract.

#include <chrono>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "app/core/pipeline/library_binding.h"
#include "app/core/pipeline/worker.h"
#include "pipeline/test_support.h"

namespace vantor {
namespace {

using test::TempDir;
using test::VectorSink;
namespace fs = std::filesystem;

// A folder holding links to the chosen fake libraries.
void LinkFakes(const std::string& dir, const std::vector<std::string>& names, const std::string& from) {
    for (const auto& name : names) fs::create_symlink(fs::path(from) / name, fs::path(dir) / name);
}

class Binding : public ::testing::Test {
protected:
    int32_t Bind(const std::string& folder, bool overridden = false) {
        return table.BindLibraries({folder, overridden}, sink, [this](int ms) { pauses.push_back(ms); });
    }
    EntryTable table;
    VectorSink sink;
    std::vector<int> pauses;
};

TEST_F(Binding, AllLibrariesAreLocatedInOrder) {
    EXPECT_EQ(Bind(test::FakeLibraryDir()), kBindOk);
    EXPECT_EQ(sink.lines, (std::vector<std::string>{
                              "> Locate procedure in libTolmar.so OK!", "> Locate procedure in libPellor.so OK!",
                              "> Locate procedure in libSENKIN.so OK!", "> Locate procedure in libKELDA.so OK!",
                              "> Locate procedure in libMORVA.so OK!", "> Locate procedure in libBRENA.so OK!",
                              "> Locate procedure in libTOVIK.so OK!"}));
    EXPECT_EQ(pauses, (std::vector<int>{100, 100, 100, 200}));
    EXPECT_FALSE(sink.errorFlag);
    for (int code = 1; code <= 4; ++code) EXPECT_NE(table.EntryForTask(code, EngineMethod::Pfa), nullptr) << code;
    EXPECT_NE(table.EntryForTask(2, EngineMethod::Ecf), table.EntryForTask(2, EngineMethod::Pfa));
    EXPECT_EQ(table.EntryForTask(2, EngineMethod::Drg), table.Entry(LibraryId::Brena));
    EXPECT_EQ(table.EntryForTask(2, EngineMethod::Drgep), table.Entry(LibraryId::Tovik));
    EXPECT_NE(table.Entry(LibraryId::Brena), table.Entry(LibraryId::Tovik));
    EXPECT_EQ(table.EntryForTask(5, EngineMethod::Pfa), nullptr);
    table.ReleaseLibraries();
    EXPECT_EQ(table.Entry(LibraryId::Kelda), nullptr);
}

TEST_F(Binding, MissingLibraryStopsTheBindingWithItsErrorNumber) {
    TempDir dir;
    LinkFakes(dir.Path(), {"libTolmar.so", "libSENKIN.so", "libKELDA.so", "libMORVA.so"}, test::FakeLibraryDir());
    EXPECT_EQ(Bind(dir.Path()), kLoadFailed);
    EXPECT_EQ(sink.lines, (std::vector<std::string>{"> Locate procedure in libTolmar.so OK!",
                                                    "> Load libPellor.so failed error #=2 !",
                                                    "> " + dir.File("libPellor.so") + ": No such file or directory"}));
    EXPECT_EQ(pauses.size(), 4u);  // the pauses happen for skipped libraries too
    EXPECT_NE(table.Entry(LibraryId::Tolmar), nullptr);
    EXPECT_EQ(table.Entry(LibraryId::Senkin), nullptr);
}

TEST_F(Binding, LibraryWithoutItsEntryIsReported) {
    TempDir dir;
    LinkFakes(dir.Path(), {"libTolmar.so", "libPellor.so", "libSENKIN.so", "libKELDA.so"}, test::FakeLibraryDir());
    LinkFakes(dir.Path(), {"libMORVA.so"}, test::FakeWithoutEntryDir());
    EXPECT_EQ(Bind(dir.Path()), kEntryMissing);
    EXPECT_EQ(sink.lines.back(), "> Cannot locate procedure in libMORVA.so!");
    EXPECT_EQ(table.Entry(LibraryId::Morva), nullptr);
}

TEST_F(Binding, FileThatIsNotALibraryGivesErrorEightAndTheLoaderText) {
    TempDir dir;
    test::WriteText(dir.File("libTolmar.so"), "not a shared library\n");
    EXPECT_EQ(Bind(dir.Path()), kLoadFailed);
    ASSERT_EQ(sink.lines.size(), 2u);
    EXPECT_EQ(sink.lines[0], "> Load libTolmar.so failed error #=8 !");
    EXPECT_EQ(sink.lines[1].rfind("> ", 0), 0u);
    EXPECT_NE(sink.lines[1].find("libTolmar.so"), std::string::npos);
}

TEST_F(Binding, OverriddenFolderIsAnnouncedAndAnUnknownOneIsNoBareName) {
    EXPECT_EQ(Bind(test::FakeLibraryDir(), true), kBindOk);
    ASSERT_EQ(sink.lines.size(), 1u + kLibraryCount);
    EXPECT_EQ(sink.lines[0], "> Libraries loaded from " + test::FakeLibraryDir());
    sink.lines.clear();
    EXPECT_EQ(Bind(""), kLoadFailed);  // never handed to the loader's search path
    EXPECT_EQ(sink.lines.front(), "> Load libTolmar.so failed error #=2 !");
}

TEST(LibraryFolder, OnlyTheProgramsOwnFoldersUnlessOneIsNamed) {
    TempDir root;
    const std::string exe = root.File("bin"), installed = root.File("lib/vantor");
    fs::create_directories(exe);
    fs::create_directories(installed);
    // Nothing anywhere: the executable's folder, so that the failure names where libraries belong.
    EXPECT_EQ(ChooseLibraryFolder(exe, nullptr).path, exe);
    LinkFakes(installed, {"libKELDA.so"}, test::FakeLibraryDir());
    EXPECT_EQ(ChooseLibraryFolder(exe, "").path, installed);
    LinkFakes(exe, {"libTolmar.so"}, test::FakeLibraryDir());
    const LibraryFolder own = ChooseLibraryFolder(exe, nullptr);
    EXPECT_EQ(own.path, exe);
    EXPECT_FALSE(own.overridden);

    const LibraryFolder named = ChooseLibraryFolder(exe, "other/builds/");
    EXPECT_TRUE(named.overridden);
    EXPECT_EQ(named.path, (fs::current_path() / "other/builds").string());
    EXPECT_EQ(ChooseLibraryFolder("", nullptr).path, "");
}

// The worker's side of the contract, with plain callables for the task.
class Worker : public ::testing::Test {
protected:
    WorkerChannels Channels() { return {&status, &result, &gate, &progress}; }
    static void WaitFor(const std::function<bool()>& done) {
        for (int i = 0; i < 5000 && !done(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    int32_t status = 0, result = 77, gate = 5;
    double progress = 12.0;
    WorkerMessageQueue queue;
};

TEST_F(Worker, RunsTheTaskOnceWithTheStartValues) {
    int calls = 0;
    double seenProgress = 0.0;
    int32_t seenResult = -1;
    {
        TMODThread worker(
            [&](int32_t* s, double* p) {
                ++calls;
                seenProgress = LoadProgress(p);
                seenResult = std::atomic_ref<int32_t>(result).load();
                StoreStatus(s, 0);
                StoreProgress(p, 9999.0);
                return SuccessResult(1);
            },
            "<E> Run standard procedure failed", Channels(), queue);
        WaitFor([&] { return worker.CallReturned(); });
        ASSERT_TRUE(worker.CallReturned());
        std::this_thread::sleep_for(std::chrono::milliseconds(30));  // idles, does not run again
        EXPECT_EQ(std::atomic_ref<int32_t>(gate).load(), kGateTaken);
    }
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(seenProgress, -1.0);
    EXPECT_EQ(seenResult, 0);
    EXPECT_EQ(result, 10108);
    EXPECT_EQ(gate, kGateEnded);
    EXPECT_TRUE(queue.TakeAll().empty());
}

TEST_F(Worker, FailureHandsItsLineOverAndEndsTheThread) {
    TMODThread worker(
        [](int32_t* s, double*) {
            StoreStatus(s, 3007);
            return 0;
        },
        "<E> Run PFA procedure failed", Channels(), queue);
    WaitFor([&] { return std::atomic_ref<int32_t>(gate).load() == kGateEnded; });
    EXPECT_EQ(std::atomic_ref<int32_t>(gate).load(), kGateEnded);  // ended by itself
    EXPECT_TRUE(worker.CallReturned());
    const auto lines = queue.TakeAll();
    EXPECT_EQ(lines, std::deque<std::string>{"<E> Run PFA procedure failed"});
}

TEST_F(Worker, ExceptionOfTheTaskIsAFailureWithItsReason) {
    TMODThread worker([](int32_t*, double*) -> int32_t { throw std::runtime_error("disk full"); },
                      "<E> Reduced chemistry creation failed", Channels(), queue);
    WaitFor([&] { return worker.CallReturned(); });
    EXPECT_GT(std::atomic_ref<int32_t>(status).load(), 0);
    EXPECT_EQ(queue.TakeAll(), std::deque<std::string>{"<E> Reduced chemistry creation failed: disk full"});
}

}  // namespace
}  // namespace vantor
