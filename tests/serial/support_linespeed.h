#pragma once
// The two speeds of a terminal as Linux keeps them (termios2), which <termios.h> can't show.

#include <cstdint>

struct LineSpeeds {
    uint32_t In = 0;
    uint32_t Out = 0;
    bool operator==(const LineSpeeds&) const = default;
};

// Speeds of the terminal `fd` (for a pty master: of its terminal side); {0, 0} when unknown.
LineSpeeds ReadLineSpeeds(int fd);
