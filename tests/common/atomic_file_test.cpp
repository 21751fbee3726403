#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/atomic_file.h"

using namespace vantor;
namespace fs = std::filesystem;

TEST(AtomicFile, ReplacesContentAndLeavesNoTemporary) {
    const fs::path dir = fs::temp_directory_path() / "vantor_atomic_test";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string path = (dir / "SP.TRM").string();
    ASSERT_TRUE(WriteFileAtomically(path, std::string_view("old\r\n")));
    ASSERT_TRUE(WriteFileAtomically(path, std::string_view("new\r\n")));
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    EXPECT_EQ(ss.str(), "new\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    fs::remove_all(dir);
}

TEST(AtomicFile, FailureInMissingFolderReportsAndWritesNothing) {
    std::string error;
    EXPECT_FALSE(WriteFileAtomically("/nonexistent-dir/x/SP.TRM", std::string_view("x"), &error));
    EXPECT_NE(error.find("/nonexistent-dir/x/SP.TRM"), std::string::npos);
}
