#pragma once

#include <QtGlobal>

#include <array>
#include <chrono>

// Constants of the Volmar sensor line: frame prefixes, addresses, command
// codes and the write key. Shared by the tool and the emulated sensors.
namespace Protocol {

using namespace std::chrono_literals;

constexpr quint8 kRequestPrefix = 0x31;   // '1', first byte of every request
constexpr quint8 kReplyPrefix = 0x3E;     // '>', first byte of every reply
constexpr quint8 kBroadcastAddress = 0xFF; // search broadcast

// Request offsets: prefix, address, command, payload..., CRC.
constexpr int kAddressOffset = 1;
constexpr int kCommandOffset = 2;
constexpr int kPayloadOffset = 3;
constexpr int kMinReplyLength = 4; // prefix, address, command, CRC

namespace Command {
constexpr quint8 ReadSettings = 0xF0;      // readings and settings
constexpr quint8 ReadIdentification = 0xFC; // serial number and firmware
constexpr quint8 WriteSettings = 0xF2;     // settings block and function switches
constexpr quint8 SetAddress = 0xFB;        // new network address
constexpr quint8 WriteTable = 0xF1;        // calibration table; angle sensor: zero point
constexpr quint8 ReadTable = 0xEF;         // calibration table
constexpr quint8 SetFull = 0xF5;           // present level is full; angle sensor: upper threshold
constexpr quint8 SetEmpty = 0xFA;          // present level is empty; angle sensor: lower threshold
constexpr quint8 ManualEmpty = 0xED;       // typed-in empty count, 32 bits
constexpr quint8 ManualFull = 0xEC;        // typed-in full count; base: advertising master config
constexpr quint8 ShiftEmpty = 0xF9;        // empty level offset (remote-control lines only)
constexpr quint8 ShiftFull = 0xF4;         // full level offset (remote-control lines only)
constexpr quint8 AngleSetMode = 0xF2;        // angle sensor operating mode, 1 byte
constexpr quint8 AngleSetZero = 0xF1;        // angle sensor: the present position becomes 0°
constexpr quint8 AngleSetUp = 0xF5;          // angle sensor upper limit, 2 bytes
constexpr quint8 AngleSetDown = 0xFA;        // angle sensor lower limit, 2 bytes
constexpr quint8 AngleDelayOnBucket = 0xE0;  // angle sensor switch-on delay, 2 bytes
constexpr quint8 AngleDelayOffBucket = 0xE1; // angle sensor switch-off delay, 2 bytes; tag: identifier
constexpr quint8 AngleDelayOffBlade = 0xE2;  // angle sensor switch-off delay, 1 byte
constexpr quint8 AngleDelayOnBlade = 0xE3;   // angle sensor switch-on delay, 1 byte
constexpr quint8 SetPassword = 0xF7;       // set, remove or probe the password
constexpr quint8 EnterPassword = 0xF8;     // enter the password; reply: accepted
constexpr quint8 WrongPassword = 0xFD;     // reply only: password wrong or required
constexpr quint8 SetPasswordBle = 0xE9;    // wireless sensor password
constexpr quint8 EnterPasswordBle = 0xE8;  // wireless sensor password entry
constexpr quint8 SetBaseIdentifier = 0xE4; // base station identifier / update mode
constexpr quint8 RestartBleForUpdate = 0xE6; // wireless sensor into firmware update
constexpr quint8 SetBleName = 0xEA;        // wireless sensor name
constexpr quint8 BleNameAccepted = 0x8A;   // reply only: the base took the sensor name
constexpr quint8 Reset = 0x88;             // wired sensor reset, first firmware step
constexpr quint8 SendSerialNumber = 0xD0;  // KV260 serial number sending flag
constexpr quint8 CalibrateHorizon = 0xAA;  // horizontal position
constexpr quint8 SetAlarmLevel = 0xEE;     // alarm fuel level, 1 byte
constexpr quint8 TagSetSerial = 0xF6;      // tag reader serial number
constexpr quint8 TagSetIdentifier = 0xE1;  // tag reader identifier
constexpr quint8 TagReadIdentifier = 0x06; // tag reader identifier
constexpr quint8 TagAcknowledged = 0xF8;   // reply only: the tag reader took a mode or serial number
} // namespace Command

// Poll steps that are not command codes.
namespace Step {
constexpr quint8 Search = 0xFF;
constexpr quint8 ReadSettings = Command::ReadSettings;
constexpr quint8 ReadIdentification = Command::ReadIdentification;
constexpr quint8 FirstFirmwareStep = 1;
constexpr quint8 LastFirmwareStep = 24;
} // namespace Step

#ifndef VOLMAR_WRITE_KEY_BYTES
#define VOLMAR_WRITE_KEY_BYTES 0x56, 0x4C, 0x4D
#endif

// Access code that every change command carries before its own payload;
// set at build time (CMake cache variable VOLMAR_WRITE_KEY).
constexpr std::array<quint8, 3> kWriteKey = {VOLMAR_WRITE_KEY_BYTES};

constexpr auto kLineBaudRate = 19200;

} // namespace Protocol
