#pragma once
// The E2PROM kept in a text file between runs: one "REGISTER VALUE" line per register 0..20.

#include "sim/Registers.h"

#include <string>

namespace sim {

class E2promFile {
public:
    explicit E2promFile(std::string path) : path_(std::move(path)) {}

    // Reads the file over `values` (registers it does not name keep theirs). False with a
    // message when it can't be read or a line is malformed; a missing file is no error.
    bool Load(Registers::E2promValues& values, std::string& error) const;
    // Replaces the file (written beside it, then renamed). False with a message on failure.
    bool Save(const Registers::E2promValues& values, std::string& error) const;

private:
    std::string path_;
};

} // namespace sim
