#include "sim/E2promFile.h"

#include "sim/Options.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <locale>
#include <sstream>

namespace sim {

bool E2promFile::Load(Registers::E2promValues& values, std::string& error) const
{
    std::ifstream in(path_);
    if (!in) {
        if (errno == ENOENT)
            return true;
        error = path_ + ": " + std::strerror(errno);
        return false;
    }
    std::string line;
    int number = 0;
    Registers::E2promValues loaded = values;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string reg, value;
        std::uint8_t r = 0;
        std::uint16_t v = 0;
        if (!(fields >> reg >> value) || !ParseRegisterAssignment(reg + "=" + value, r, v) || r >= E2promCount) {
            error = path_ + ":" + std::to_string(number) + ": expected \"REGISTER VALUE\" with a register 0..20";
            return false;
        }
        loaded[r] = v;
    }
    values = loaded;
    return true;
}

bool E2promFile::Save(const Registers::E2promValues& values, std::string& error) const
{
    const std::string temporary = path_ + ".new";
    {
        std::ofstream out(temporary, std::ios::trunc);
        out.imbue(std::locale::classic()); // plain digits, whatever locale the process runs in
        out << "# duoclave-sim E2PROM: register value\n";
        for (unsigned r = 0; r < values.size(); ++r)
            out << r << ' ' << values[r] << '\n';
        out.flush();
        if (!out) {
            error = temporary + ": " + std::strerror(errno);
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path_.c_str()) != 0) {
        error = path_ + ": " + std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace sim
