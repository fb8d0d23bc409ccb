#pragma once
// The box's register file: 256 byte registers, all 0 at power-on. Registers 1..15 hold the channel
// block of the next ping; register 0 keeps the last command written; register 65
// reads back as the firmware version.
#include <array>
#include <cstdint>

namespace ifbsim {

inline constexpr uint8_t kFirmwareRegister = 65;

class RegisterFile {
  public:
    explicit RegisterFile(uint8_t firmware) : firmware_(firmware) {}

    void write(uint8_t reg, uint8_t value) { regs_[reg] = value; }
    uint8_t read(uint8_t reg) const { return reg == kFirmwareRegister ? firmware_ : regs_[reg]; }
    uint8_t firmware() const { return firmware_; }
    // 3 extra trailer bytes (the 24-bit interval total) from firmware 10 on, as the program
    // expects.
    int trailerExtraBytes() const { return firmware_ > 9 ? 3 : 0; }

  private:
    std::array<uint8_t, 256> regs_{};
    uint8_t firmware_;
};

} // namespace ifbsim
