#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <termios.h>

// The far end of a real pseudo-terminal: the driver opens PeerPath(), the test writes and
// inspects the line through the master side.
class TestPty {
public:
    TestPty();
    ~TestPty();
    TestPty(const TestPty&) = delete;
    TestPty& operator=(const TestPty&) = delete;

    bool Ok() const { return Master >= 0; }
    // Path of the terminal side, to be opened as the port.
    const std::string& PeerPath() const { return Path; }
    // Sends bytes towards the port; true when all were written.
    bool Send(const std::vector<uint8_t>& bytes);
    // Line settings as the port last applied them (the pair shares one termios).
    bool Settings(termios* out) const;
    // The far end's descriptor; terminal-mode requests on it act on the port's side.
    int MasterFd() const { return Master; }

private:
    int Master = -1;
    std::string Path;
};
