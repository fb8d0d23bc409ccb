#pragma once
// A serial port as the program uses it: opened by COM number with a settings string such as
// "115200,n,8,1", bytes passed through unchanged and in order, and a receive event raised on the
// user-interface thread whenever bytes arrive. The Qt implementation is QtSerialPort; tests of the
// protocol can use an in-memory port.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vz {

struct PortOptions {
    int inputBufferBytes = 0;  // 0 = the library's default
    int outputBufferBytes = 0; // 0 = the library's default
    bool rtsOn = true;         // the RTS line once the port is open
};

class SerialPort {
public:
    virtual ~SerialPort() = default;
    // Opens COM `comNumber` (1..16) with `settings` ("baud,parity,data,stop"). Returns false
    // (and stays closed) when the port cannot be opened.
    virtual bool open(int comNumber, const std::string& settings, const PortOptions& options) = 0;
    virtual void close() = 0;
    // Why the last open failed, as a line for the user ("Reason: ..."); empty when it is not
    // known or the last open succeeded.
    virtual std::string openFailure() const { return {}; }
    virtual bool isOpen() const = 0;
    virtual void write(const std::uint8_t* data, std::size_t size) = 0;
    void write(const std::vector<std::uint8_t>& bytes) { write(bytes.data(), bytes.size()); }
    virtual int bytesWaiting() = 0;
    // Reads everything that is waiting.
    virtual std::vector<std::uint8_t> readAll() = 0;
    virtual void discardInput() = 0;
    // Raised on the user-interface thread when bytes arrive.
    void onReceive(std::function<void()> handler) { receive_ = std::move(handler); }
    // Raised when an open port fails (device removed, peer gone).
    void onFailure(std::function<void()> handler) { failure_ = std::move(handler); }

protected:
    void raiseReceive() { if (receive_) receive_(); }
    void raiseFailure() { if (failure_) failure_(); }

private:
    std::function<void()> receive_;
    std::function<void()> failure_;
};

// The program's three ports: the Interface Box, the GPS and the NMEA output.
SerialPort& MSComm1();
SerialPort& MSComm2();
SerialPort& MSComm3();
// Replaces the three ports (tests); nullptr entries keep the current port. Not owned.
void setSerialPorts(SerialPort* box, SerialPort* gps, SerialPort* nmea);

} // namespace vz
