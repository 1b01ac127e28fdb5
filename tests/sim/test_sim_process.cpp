// duoclave-sim as a program: its command line, its link, its end.

#include "support/SimProcess.h"

#include <array>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct SimRun {
    int status;
    std::string output;
};

SimRun RunSimulator(const std::string& arguments)
{
    const std::string command = std::string(std::getenv("DUOCLAVE_SIM")) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    SimRun run{-1, {}};
    if (!pipe)
        return run;
    std::array<char, 512> chunk{};
    while (std::fgets(chunk.data(), chunk.size(), pipe))
        run.output += chunk.data();
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace

TEST(SimProcessRun, HelpPrintsTheUsageAndExits)
{
    const SimRun run = RunSimulator("--help");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output.rfind("Usage: duoclave-sim --link PATH", 0), 0u) << run.output;
}

TEST(SimProcessRun, ABadCommandLineExitsWithAReason)
{
    const SimRun run = RunSimulator("--fault gremlins");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("unknown fault: gremlins"), std::string::npos) << run.output;
}

TEST(SimProcessRun, ALinkPathHeldByAnOrdinaryFileIsLeftAlone)
{
    const std::string path = std::filesystem::temp_directory_path() / ("duoclave-sim-file-" + std::to_string(getpid()));
    std::ofstream(path) << "keep me";
    const SimRun run = RunSimulator("--link " + path);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("no symbolic link"), std::string::npos) << run.output;
    std::ifstream in(path);
    std::string kept;
    std::getline(in, kept);
    EXPECT_EQ(kept, "keep me");
    std::filesystem::remove(path);
}

TEST(SimProcessRun, LinksThePtyAndRemovesTheLinkOnTermination)
{
    SimProcess sim;
    ASSERT_TRUE(sim.Running()) << sim.Error();
    EXPECT_EQ(sim.PtyPath().rfind("/dev/pts/", 0), 0u) << sim.PtyPath();
    EXPECT_EQ(std::filesystem::read_symlink(sim.LinkPath()).string(), sim.PtyPath());
    EXPECT_TRUE(std::filesystem::is_fifo(sim.Folder() + "/control"));
    EXPECT_EQ(sim.Stop(), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(sim.LinkPath())));
    EXPECT_FALSE(std::filesystem::exists(sim.Folder() + "/control"));
}

TEST(SimProcessRun, ABadControlCommandLeavesItRunning)
{
    SimProcess sim({"--fault", "late"});
    ASSERT_TRUE(sim.Running()) << sim.Error();
    EXPECT_TRUE(sim.Control("explode now"));
    EXPECT_TRUE(sim.Control("fault on silence"));
    bool found = false;
    for (const std::string& line : sim.Dump())
        found = found || line == "faults silence,late";
    EXPECT_TRUE(found);
    EXPECT_EQ(sim.Stop(), 0);
}
