#include "SimProcess.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// Guards against a simulator that never comes up or never answers: generous, never a measure.
constexpr int StartGuardMs = 10000;
constexpr int DumpGuardMs = 10000;
constexpr auto DumpPoll = std::chrono::milliseconds(2);

std::string MakeFolder()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/duoclave-sim-XXXXXX";
    if (!mkdtemp(pattern.data()))
        return {};
    return pattern;
}

} // namespace

SimProcess::SimProcess(const std::vector<std::string>& options)
{
    const char* simulator = std::getenv("DUOCLAVE_SIM");
    if (!simulator || !*simulator) {
        error_ = "DUOCLAVE_SIM is not set";
        return;
    }
    folder_ = MakeFolder();
    if (folder_.empty()) {
        error_ = std::string("mkdtemp: ") + std::strerror(errno);
        return;
    }
    linkPath_ = folder_ + "/com";
    controlPath_ = folder_ + "/control";
    tracePath_ = folder_ + "/trace";

    std::vector<std::string> args{simulator, "--link", linkPath_, "--control", controlPath_, "--trace", tracePath_};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) {
        error_ = std::string("pipe: ") + std::strerror(errno);
        return;
    }
    const pid_t pid = fork();
    if (pid < 0) {
        error_ = std::string("fork: ") + std::strerror(errno);
        close(out[0]);
        close(out[1]);
        return;
    }
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    pid_ = pid;

    // The first line of its output is the pty's path; it is ready once that is printed.
    std::string line;
    while (line.find('\n') == std::string::npos) {
        pollfd entry{out[0], POLLIN, 0};
        if (poll(&entry, 1, StartGuardMs) <= 0)
            break;
        char chunk[256];
        const ssize_t n = read(out[0], chunk, sizeof chunk);
        if (n <= 0)
            break;
        line.append(chunk, static_cast<std::size_t>(n));
    }
    close(out[0]);
    if (line.find('\n') == std::string::npos) {
        error_ = "duoclave-sim did not start: " + std::string(simulator);
        Stop();
        return;
    }
    ptyPath_ = line.substr(0, line.find('\n'));
}

SimProcess::~SimProcess()
{
    Stop();
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

int SimProcess::Stop()
{
    if (pid_ <= 0)
        return -1;
    kill(pid_, SIGTERM);
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool SimProcess::Control(const std::string& command)
{
    if (!Running())
        return false;
    const int fd = open(controlPath_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const std::string line = command + "\n";
    const bool ok = write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    close(fd);
    return ok;
}

std::vector<std::string> SimProcess::Dump()
{
    const std::string path = folder_ + "/dump" + std::to_string(++dumps_);
    if (!Control("dump " + path))
        return {};
    // The simulator writes the dump beside the name and renames it, so it appears whole.
    for (int waited = 0; !std::filesystem::exists(path) && waited < DumpGuardMs; waited += 2)
        std::this_thread::sleep_for(DumpPoll);
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

long SimProcess::DumpValue(const std::string& key)
{
    for (const std::string& line : Dump())
        if (line.size() > key.size() && line.compare(0, key.size(), key) == 0 && line[key.size()] == ' ')
            return std::strtol(line.c_str() + key.size() + 1, nullptr, 10);
    return -1;
}

std::vector<SimProcess::TraceEntry> SimProcess::Trace() const
{
    std::vector<TraceEntry> entries;
    std::ifstream in(tracePath_);
    std::string direction;
    unsigned long long microseconds = 0;
    std::string hex;
    while (in >> microseconds >> direction >> hex)
        entries.push_back({microseconds, direction == "in", static_cast<std::uint8_t>(std::stoul(hex, nullptr, 16))});
    return entries;
}

std::vector<std::uint8_t> SimProcess::TraceBytes(bool toDevice) const
{
    std::vector<std::uint8_t> bytes;
    for (const TraceEntry& e : Trace())
        if (e.toDevice == toDevice)
            bytes.push_back(e.byte);
    return bytes;
}

std::string SimProcess::TraceText() const
{
    std::ifstream in(tracePath_);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
