#include "support_driver.h"

#include <QTimerEvent>

#include <chrono>
#include <thread>

namespace {
constexpr int PollLimit = 5000;
}

void PollOnce(serial::TSerialPortDriver& d)
{
    QTimerEvent tick(serial::TSerialPortDriver::PollTimerId);
    d.PollTimerProc(&tick);
}

bool PollUntil(serial::TSerialPortDriver& d, const std::function<bool()>& cond)
{
    for (int i = 0; i < PollLimit; ++i) {
        PollOnce(d);
        if (cond())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

PacketRig::PacketRig(int16_t packetSize)
{
    d.SetPortName(pty.PeerPath());
    d.SetPacketSize(packetSize);
    d.OnReceivePacket = [this](QObject*, const uint8_t* p, uint32_t n) {
        packets.emplace_back(p, p + n);
    };
}
