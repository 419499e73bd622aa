#include "feeder/Feeder.h"

#include <algorithm>
#include <optional>

#include "feeder/PositionFeed.h"

namespace poirec {
namespace {

constexpr std::string_view kProgram = "poirecorder-gpsd: ";

// The file's side of the run: what it says, and when it may be written next.
class FileKeeper {
 public:
  FileKeeper(PositionSink& file, const FeederSettings& settings, std::ostream& log)
      : file_(file), settings_(settings), log_(log) {}

  // When text should be written; empty when the file says it already.
  std::optional<TimePoint> WriteDue(const std::string& text) const {
    if (text == written_) return std::nullopt;
    if (!lastAttempt_) return TimePoint::min();
    const bool waitForRetry = failing_ && !reportSinceFailure_;
    return *lastAttempt_ + (waitForRetry ? settings_.retryAfter : settings_.writeInterval);
  }

  void Update(const std::string& text, TimePoint now) {
    const auto due = WriteDue(text);
    if (due && now >= *due) Write(text, now);
  }

  // A failed write is tried again with the next report rather than after the retry time.
  void OnReport() { reportSinceFailure_ = true; }

  void Write(const std::string& text, TimePoint now) {
    lastAttempt_ = now;
    std::string reason;
    if (!file_.Write(text, reason)) {
      written_.reset();  // what the file says now is not known
      if (!failing_) {
        log_ << kProgram << "cannot write " << settings_.fileName << ": " << reason
             << "; trying again with the next report\n";
      }
      failing_ = true;
      reportSinceFailure_ = false;
      return;
    }
    if (failing_) log_ << kProgram << settings_.fileName << " written again\n";
    failing_ = false;
    written_ = text;
  }

 private:
  PositionSink& file_;
  const FeederSettings& settings_;
  std::ostream& log_;
  std::optional<std::string> written_;
  std::optional<TimePoint> lastAttempt_;
  bool failing_ = false;
  bool reportSinceFailure_ = false;
};

}  // namespace

int RunFeeder(GpsSource& gps, Clock& clock, PositionSink& file, const FeederSettings& settings,
              const PositionFileContents& lastKnown, std::ostream& log) {
  PositionFeed feed(settings.staleAfter, lastKnown);
  FileKeeper keeper(file, settings, log);
  log << kProgram << "keeping " << settings.fileName << " current from gpsd at "
      << settings.gpsdName << '\n';

  bool connected = false;
  bool outageReported = false;  // one message for each time gpsd cannot be reached
  std::chrono::nanoseconds reconnectWait = settings.firstReconnect;
  TimePoint nextConnect = clock.Now();

  while (true) {
    TimePoint now = clock.Now();
    feed.Expire(now);
    const std::string text = FormatPositionFile(feed.Contents());
    keeper.Update(text, now);

    if (!connected && now >= nextConnect) {
      std::string reason;
      connected = gps.Connect(reason);
      if (connected) {
        log << kProgram << "connected to gpsd at " << settings.gpsdName << '\n';
        outageReported = false;
        reconnectWait = settings.firstReconnect;
      } else {
        if (!outageReported) {
          log << kProgram << "cannot reach gpsd at " << settings.gpsdName << " (" << reason
              << "); trying again\n";
        }
        outageReported = true;
        now = clock.Now();
        nextConnect = now + reconnectWait;
        reconnectWait = std::min(reconnectWait * 2, settings.lastReconnect);
      }
    }

    TimePoint deadline = TimePoint::max();
    if (const auto staleAt = feed.StaleAt()) deadline = std::min(deadline, *staleAt);
    if (const auto due = keeper.WriteDue(text)) deadline = std::min(deadline, *due);
    if (!connected) deadline = std::min(deadline, nextConnect);

    const GpsEvent event = gps.Wait(deadline);
    switch (event.kind) {
      case GpsEvent::Kind::Report:
        feed.OnReport(event.report, clock.Now());
        keeper.OnReport();
        break;
      case GpsEvent::Kind::Lost:
        log << kProgram << "lost the connection to gpsd at " << settings.gpsdName
            << "; trying again\n";
        gps.Disconnect();
        connected = false;
        outageReported = true;
        feed.DropFix();
        nextConnect = clock.Now() + settings.firstReconnect;
        reconnectWait = std::min(settings.firstReconnect * 2, settings.lastReconnect);
        break;
      case GpsEvent::Kind::Stop: {
        if (connected) gps.Disconnect();
        feed.DropFix();
        // Whatever the intervals, the file must not go on saying Valid = 1.
        std::string reason;
        if (!file.Write(FormatPositionFile(feed.Contents()), reason)) {
          log << kProgram << "cannot write " << settings.fileName << ": " << reason
              << "; it may still say Valid = 1\n";
          return 1;
        }
        return 0;
      }
      case GpsEvent::Kind::Quiet: break;
    }
  }
}

}  // namespace poirec
