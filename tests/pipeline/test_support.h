#pragma once
// Shared pieces of the pipeline tests: a fresh temporary folder, a message sink that records,
// a host made of plain data, and the control of the fake libraries.

#include <dlfcn.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/core/pipeline/message_sink.h"
#include "app/core/pipeline/runner_host.h"
#include "pipeline/fake_library.h"

namespace vantor::test {

namespace fs = std::filesystem;

class TempDir {
public:
    TempDir() {
        static std::atomic<int> counter{0};
        // Short: the paths of a run must fit the job record's 99-character fields.
        path_ = fs::temp_directory_path() / ("vp" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string Path() const { return path_.string(); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

inline void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class VectorSink : public MessageSink {
public:
    void AddLine(const std::string& line) override { lines.push_back(line); }
    void ClearLines() override {
        lines.clear();
        ++clears;
    }
    void RaiseErrorFlag() override { errorFlag = true; }
    void ResetErrorFlag() override { errorFlag = false; }
    void ShowMessageBox(const std::string& text) override { boxes.push_back(text); }

    int Count(const std::string& line) const {
        int n = 0;
        for (const auto& l : lines) n += l == line ? 1 : 0;
        return n;
    }
    bool Has(const std::string& line) const { return Count(line) > 0; }
    std::string Joined() const {
        std::string all;
        for (const auto& l : lines) all += l + "\n";
        return all;
    }

    std::vector<std::string> lines;
    std::vector<std::string> boxes;
    bool errorFlag = false;
    int clears = 0;
};

// The runner's surroundings as plain data.
class TestHost : public RunnerHost {
public:
    SettingsInput ReadSettingsInput() override { return input; }
    RunFiles CurrentFiles() override { return files; }
    void PrepareDetailedRun() override {
        ++prepareCalls;
        input.speciesMarks.assign(input.speciesNames.size(), true);
        reducedReady = false;
    }
    bool ReducedInpReady() override { return reducedReady; }
    TaskCall ReducedWriter(const JobRecord&, const TWState&) override { return writer; }
    void StepEnded(int code, bool succeeded) override { ended.push_back(succeeded ? code : -code); }
    void SetProgressBar(int position) override { bar = position; }
    void SetHeartbeat(const std::string& caption) override { heartbeat = caption; }

    SettingsInput input;
    RunFiles files;
    TaskCall writer;
    bool reducedReady = false;
    int prepareCalls = 0;
    std::vector<int> ended;  // task codes, negative for a failure
    int bar = -1;
    std::string heartbeat;
};

// One fake library, opened by the same path the binding uses, so both see the same instance.
class FakeLibrary {
public:
    explicit FakeLibrary(const std::string& path) : handle_(::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {}
    ~FakeLibrary() {
        if (handle_) ::dlclose(handle_);
    }
    FakeLibrary(const FakeLibrary&) = delete;
    FakeLibrary& operator=(const FakeLibrary&) = delete;

    bool Loaded() const { return handle_ != nullptr; }
    void Configure(const FakeBehaviour& behaviour) const { Symbol<FakeConfigureFunction>("FakeConfigure")(&behaviour); }
    void Release() const { Symbol<FakeReleaseFunction>("FakeRelease")(); }
    int32_t Calls() const { return Symbol<FakeCallCountFunction>("FakeCallCount")(); }
    JobRecord LastJob() const {
        JobRecord job{};
        Symbol<FakeLastJobFunction>("FakeLastJob")(&job);
        return job;
    }

private:
    template <typename F>
    F Symbol(const char* name) const {
        return reinterpret_cast<F>(::dlsym(handle_, name));
    }
    void* handle_;
};

inline std::string FakeLibraryDir() { return VANTOR_FAKE_LIB_DIR; }
inline std::string FakeWithoutEntryDir() { return VANTOR_FAKE_NOENTRY_DIR; }

}  // namespace vantor::test
