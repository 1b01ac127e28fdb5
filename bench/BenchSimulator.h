#pragma once
// duoclave-sim for the benchmarks that talk to a device: started on a pty behind a link in /tmp,
// with a constant sync offset so every reading is alike, and stopped at the end.

#include <csignal>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

class BenchSimulator {
public:
    // Starts the simulator behind /tmp/duoclave-bench-<tag>-<pid>; empty when it did not start.
    // Waits for its first line, which it prints once the link exists.
    std::string Start(const char* tag)
    {
        const std::string link = "/tmp/duoclave-bench-" + std::string(tag) + "-" + std::to_string(getpid());
        int out[2];
        if (pipe(out) != 0)
            return {};
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            execl(DUOCLAVE_SIM, DUOCLAVE_SIM, "--link", link.c_str(), "--sync", "constant:-12", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        char line[256] = {};
        FILE* in = fdopen(out[0], "r");
        const bool started = in && std::fgets(line, sizeof line, in);
        if (in)
            std::fclose(in);
        return started ? link : std::string();
    }

    void Stop()
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }

    ~BenchSimulator() { Stop(); }

private:
    pid_t pid_ = -1;
};
