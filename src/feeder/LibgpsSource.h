#pragma once
// gpsd through its own client library, libgps: connects, asks for JSON reports, and turns
// each TPV report into a GpsReport. Waiting ends at once when a stop signal arrives.
#include <memory>
#include <string>

#include "feeder/GpsSource.h"
#include "platform/StopSignals.h"

struct gps_data_t;

namespace poirec {

class LibgpsSource final : public GpsSource {
 public:
  LibgpsSource(std::string host, std::string port, StopSignals& stop);
  ~LibgpsSource() override;
  LibgpsSource(const LibgpsSource&) = delete;
  LibgpsSource& operator=(const LibgpsSource&) = delete;

  bool Connect(std::string& reason) override;
  void Disconnect() override;
  GpsEvent Wait(TimePoint deadline) override;

 private:
  enum class Read { Report, Other, Incomplete, Lost };
  // Reads the next message libgps holds or can read at once.
  Read ReadMessage(GpsReport& report);

  std::string host_;
  std::string port_;
  StopSignals& stop_;
  std::unique_ptr<gps_data_t> data_;
  bool connected_ = false;
};

}  // namespace poirec
