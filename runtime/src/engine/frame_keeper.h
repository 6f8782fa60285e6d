#pragma once
// The frames of one screencast on their way from the socket to the screen: only the newest is
// kept, so a frame that a newer one overtakes before a worker takes it is never decoded. A
// frame that finds the worker free is acknowledged as it comes (the engine starts on the next
// one while this one is decoded); one that finds a frame still waiting is acknowledged only when
// the worker takes it, so the engine sends no faster than the worker shows them. While the
// window is hidden nothing is kept.
// Knows no windows and no engine: the receiving thread offers, one worker takes.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace standin::engine {

struct TEncodedFrame {
  std::string data;       // base64 text of a JPEG or PNG
  int ack = 0;            // the screencast's number for the frame; 0: nothing to acknowledge
  bool lossless = false;  // a lossless picture of a page that has stopped moving
  uint64_t serial = 0;    // set by the keeper: the order of arrival
};

class TFrameKeeper {
 public:
  // Receiving thread: the acknowledgement to send now (0: none, it comes with the take).
  // Dropped while hidden (the engine is told to stop sending then).
  int Offer(TEncodedFrame frame);
  // A lossless picture asked for while `since` was the newest frame; dropped when a newer
  // picture has come meanwhile (it would show the page as it was). The same picture sent
  // again is no newer one: it is acknowledged at once and kept nowhere.
  void OfferLossless(std::string data, uint64_t since);
  // The worker: the newest frame, if one came, and the acknowledgements now due.
  std::optional<TEncodedFrame> Take(std::vector<int>& acks);
  // Waits until a frame is there, Stop is called or the time has passed; false once stopped.
  bool Wait(std::chrono::milliseconds timeout);
  void Wake();  // ends the worker's wait without a frame
  void Stop();

  void SetVisible(bool visible);
  uint64_t Newest() const;
  uint64_t Dropped() const;  // frames never handed to the worker

 private:
  mutable std::mutex FLock;
  std::condition_variable FWake;
  std::optional<TEncodedFrame> FFrame;
  std::vector<int> FAcks;  // of the kept frame and those it overtook
  std::string FLastPicture;  // the newest lossy frame's data, to know a picture sent again
  uint64_t FNewest = 0;
  uint64_t FDropped = 0;
  bool FVisible = true;
  bool FWoken = false;
  bool FStopped = false;
};

}  // namespace standin::engine
