#pragma once
// A pseudo-terminal pair for tests of the serial line: the test plays the far end on the master
// side and opens the slave path through the platform layer.

#include <cstdint>
#include <string>
#include <vector>

class PtyPair {
public:
    PtyPair();                 // fails the current test (ADD_FAILURE) when no pty can be had
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    const std::string& SlavePath() const { return slavePath_; }
    int MasterFd() const { return master_; }

    // The far end goes away, as an unplugged adapter does: the slave side hangs up.
    void HangUp();

    void WriteFromFarEnd(const std::vector<std::uint8_t>& bytes);
    // Everything that has arrived at the far end within `settleMs` of the last byte.
    std::vector<std::uint8_t> ReadAtFarEnd(int settleMs = 50);

private:
    int master_ = -1;
    int keepSlave_ = -1;       // holds the slave open so that the master never sees a hang-up
    std::string slavePath_;
};
