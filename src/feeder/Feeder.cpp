#include "feeder/Feeder.h"

#include <algorithm>
#include <optional>

#include "feeder/PositionFeed.h"

namespace poirec {
namespace {

constexpr std::string_view kProgram = "poirecorder-gpsd: ";

// The file's side of the run: what it says, and when it must be written next.
class FileKeeper {
 public:
  FileKeeper(PositionSink& file, const FeederSettings& settings, std::ostream& log)
      : file_(file), settings_(settings), log_(log) {}

  // When contents should be written; empty when the file says them already and its stamp
  // needs no renewal.
  std::optional<TimePoint> WriteDue(const PositionFileContents& contents) const {
    if (!lastAttempt_) return TimePoint::min();
    if (FormatPositionFile(contents) == written_) {
      if (!contents.valid) return std::nullopt;
      return *lastAttempt_ + settings_.refreshInterval;
    }
    const bool waitForRetry = failing_ && !reportSinceFailure_;
    return *lastAttempt_ + (waitForRetry ? settings_.retryAfter : settings_.writeInterval);
  }

  void Update(const PositionFileContents& contents, TimePoint now) {
    const auto due = WriteDue(contents);
    if (due && now >= *due) Write(contents, now, false);
  }

  // A failed write is tried again with the next report rather than after the retry time.
  void OnReport() { reportSinceFailure_ = true; }

  // Writes the contents with a stamp of now. When that fails the file is emptied, and the
  // first failure in a row is reported, as is a failure of the last write at the stop.
  bool Write(const PositionFileContents& contents, TimePoint now, bool atStop) {
    lastAttempt_ = now;
    const std::string text = FormatPositionFile(contents);
    std::string reason;
    if (file_.Write(text + FormatFreshnessStamp(settings_.bootId, now.time_since_epoch()),
                    reason)) {
      if (failing_) log_ << kProgram << settings_.fileName << " written again\n";
      failing_ = false;
      written_ = text;
      return true;
    }
    written_.reset();  // what the file says now is not known
    std::string emptyReason;
    const bool emptied = file_.Empty(emptyReason);
    if (!failing_ || atStop) {
      log_ << kProgram << "cannot write " << settings_.fileName << ": " << reason;
      if (emptied) {
        log_ << "; emptied it, so that it gives no fix";
      } else {
        log_ << "; cannot empty it either (" << emptyReason << "): it may still say Valid = 1";
      }
      log_ << (atStop ? "\n" : "; trying again with the next report\n");
    }
    failing_ = true;
    reportSinceFailure_ = false;
    return false;
  }

 private:
  PositionSink& file_;
  const FeederSettings& settings_;
  std::ostream& log_;
  std::optional<std::string> written_;  // the four keys' lines the file holds
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
    keeper.Update(feed.Contents(), now);

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
    if (const auto due = keeper.WriteDue(feed.Contents())) deadline = std::min(deadline, *due);
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
        return keeper.Write(feed.Contents(), clock.Now(), true) ? 0 : 1;
      }
      case GpsEvent::Kind::Quiet: break;
    }
  }
}

}  // namespace poirec
