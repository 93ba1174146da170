#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/Clock.h"

namespace quorix {

enum TPortNumber {
  pnCustom,
  pnCOM1,
  pnCOM2,
  pnCOM3,
  pnCOM4,
  pnCOM5,
  pnCOM6,
  pnCOM7,
  pnCOM8,
  pnCOM9,
  pnCOM10,
  pnCOM11,
  pnCOM12,
  pnCOM13,
  pnCOM14,
  pnCOM15,
  pnCOM16
};

enum TBaudRate {
  brCustom,
  br110,
  br300,
  br600,
  br1200,
  br2400,
  br4800,
  br9600,
  br14400,
  br19200,
  br38400,
  br56000,
  br57600,
  br115200,
  br128000,
  br256000
};

enum TDataBits { db5BITS, db6BITS, db7BITS, db8BITS };
enum TStopBits { sb1BITS, sb1HALFBITS, sb2BITS };
enum TParity { ptNONE, ptODD, ptEVEN, ptMARK, ptSPACE };
enum THwFlowControl { hfNONE, hfNONERTSON, hfRTSCTS };
enum TSwFlowControl { sfNONE, sfXONXOFF };
enum TPacketMode { pmDiscard, pmPass };

// LineStatus flags.
enum TLineStatusFlag : unsigned { lsCTS = 1, lsDSR = 2, lsRING = 4, lsCD = 8 };
using TLineStatus = unsigned;

class TCommPortDriver;

// The bytes live in the driver's receive buffer and are valid only during the call.
using TReceiveDataEvent =
    std::function<void(TCommPortDriver& sender, const uint8_t* data, uint32_t size)>;
using TReceivePacketEvent =
    std::function<void(TCommPortDriver& sender, const uint8_t* packet, uint32_t size)>;

// One serial port (a terminal device in raw mode). Reading and writing wait in poll() through the
// Clock, within InputTimeout / OutputTimeout; nothing spins. Bytes that arrive while nobody reads
// are taken by PollTick, which the front end calls every PollingDelay ms while the port is open.
class TCommPortDriver {
 public:
  explicit TCommPortDriver(Clock& clock);
  ~TCommPortDriver();
  TCommPortDriver(const TCommPortDriver&) = delete;
  TCommPortDriver& operator=(const TCommPortDriver&) = delete;

  TPortNumber Port() const { return port_; }
  void SetPort(TPortNumber port);
  const std::string& PortName() const { return portName_; }
  void SetPortName(const std::string& name);
  TBaudRate BaudRate() const { return baudRate_; }
  void SetBaudRate(TBaudRate rate);
  uint32_t BaudRateValue() const { return baudRateValue_; }
  void SetBaudRateValue(uint32_t value);
  TDataBits DataBits() const { return dataBits_; }
  void SetDataBits(TDataBits bits);
  TStopBits StopBits() const { return stopBits_; }
  void SetStopBits(TStopBits bits);
  TParity Parity() const { return parity_; }
  void SetParity(TParity parity);
  THwFlowControl HwFlow() const { return hwFlow_; }
  void SetHwFlow(THwFlowControl flow);
  TSwFlowControl SwFlow() const { return swFlow_; }
  void SetSwFlow(TSwFlowControl flow);
  uint32_t InBufSize() const { return inBufSize_; }
  void SetInBufSize(uint32_t size);
  uint32_t OutBufSize() const { return outBufSize_; }
  void SetOutBufSize(uint32_t size);
  int16_t PacketSize() const { return packetSize_; }
  void SetPacketSize(int16_t size);
  int32_t PacketTimeout() const { return packetTimeout_; }
  void SetPacketTimeout(int32_t timeout);
  TPacketMode PacketMode() const { return packetMode_; }
  void SetPacketMode(TPacketMode mode) { packetMode_ = mode; }
  uint16_t PollingDelay() const { return pollingDelay_; }
  void SetPollingDelay(uint16_t delay);
  bool EnableDTROnOpen() const { return enableDTROnOpen_; }
  void SetEnableDTROnOpen(bool enable) { enableDTROnOpen_ = enable; }
  uint16_t OutputTimeout() const { return outputTimeout_; }
  void SetOutputTimeout(uint16_t ms) { outputTimeout_ = ms; }
  uint32_t InputTimeout() const { return inputTimeout_; }
  void SetInputTimeout(uint32_t ms) { inputTimeout_ = ms; }
  bool CheckLineStatus() const { return checkLineStatus_; }
  void SetCheckLineStatus(bool check) { checkLineStatus_ = check; }
  void SetOnReceiveData(TReceiveDataEvent handler) { onReceiveData_ = std::move(handler); }
  void SetOnReceivePacket(TReceivePacketEvent handler) { onReceivePacket_ = std::move(handler); }

  // True when the port is open afterwards.
  bool Connect();
  void Disconnect();
  bool Connected() const { return fd_ >= 0; }
  // True when every character went out.
  bool SendString(const std::string& text);
  uint32_t SendData(const void* data, uint32_t count);
  uint32_t SendDataEx(const void* data, uint32_t count, uint32_t timeoutMs);
  // False (byte unchanged) when nothing arrived within InputTimeout.
  bool ReadByte(uint8_t& byte);
  uint32_t ReadData(void* buffer, uint32_t count);
  uint32_t CountRX() const;
  uint32_t OutFreeSpace() const;
  bool FlushBuffers(bool input, bool output);
  TLineStatus GetLineStatus() const;
  void PausePolling() { ++pollingPause_; }
  void ContinuePolling() { --pollingPause_; }
  bool ApplyCOMSettings();

  // The polling timer's body: hands bytes nobody asked for to the handlers, or drops them.
  void PollTick();

 private:
  void ReapplyIfOpen();
  void PollPackets(uint32_t waiting);
  uint32_t ReadRaw(uint8_t* into, uint32_t count);
  uint32_t TakeAhead(uint8_t* into, uint32_t count);
  uint32_t ReadKernel(uint8_t* into, uint32_t count);
  void DropAhead() { aheadBegin_ = aheadEnd_ = 0; }

  Clock& clock_;
  TPortNumber port_ = pnCOM2;
  std::string portName_ = "\\\\.\\COM2";
  TBaudRate baudRate_ = br9600;
  uint32_t baudRateValue_ = 9600;
  TDataBits dataBits_ = db8BITS;
  TStopBits stopBits_ = sb1BITS;
  TParity parity_ = ptNONE;
  THwFlowControl hwFlow_ = hfNONERTSON;
  TSwFlowControl swFlow_ = sfNONE;
  uint32_t inBufSize_ = 2048;
  uint32_t outBufSize_ = 2048;
  int16_t packetSize_ = -1;
  int32_t packetTimeout_ = -1;
  TPacketMode packetMode_ = pmDiscard;
  uint16_t pollingDelay_ = 50;
  bool enableDTROnOpen_ = true;
  uint16_t outputTimeout_ = 500;
  uint32_t inputTimeout_ = 200;
  bool checkLineStatus_ = false;
  TReceiveDataEvent onReceiveData_;
  TReceivePacketEvent onReceivePacket_;

  int fd_ = -1;
  std::vector<uint8_t> inBuffer_ = std::vector<uint8_t>(2048);
  std::optional<int64_t> packetStartMs_;
  // Bytes fetched from the kernel in one read but not yet taken by a caller. To callers they are
  // still in the receive queue: CountRX counts them, reads and the polling tick take them first,
  // a flush drops them.
  std::vector<uint8_t> ahead_ = std::vector<uint8_t>(4096);
  uint32_t aheadBegin_ = 0;
  uint32_t aheadEnd_ = 0;
  int pollingPause_ = 0;
};

}  // namespace quorix
