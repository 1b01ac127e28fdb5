#include "platform/SerialResult.h"

#include <cstring>

namespace platform {

std::string SerialResult::Message() const
{
    if (Ok())
        return {};
    return std::string(call) + ": " + std::strerror(error);
}

} // namespace platform
