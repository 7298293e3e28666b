#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "support/TempGameDir.h"

// Runs each case inside an empty directory of its own, as the game runs in
// its working directory.
class WorkingDirTest : public ::testing::Test {
protected:
    WorkingDirTest() : dir(false) {
        char cwd[PATH_MAX];
        previous = getcwd(cwd, sizeof cwd) ? cwd : "/";
        EXPECT_EQ(0, chdir(dir.Path().c_str()));
    }
    ~WorkingDirTest() override { EXPECT_EQ(0, chdir(previous.c_str())); }

    TempGameDir dir;
    std::string previous;
};
