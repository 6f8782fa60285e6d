#include "frame_keeper.h"

#include <utility>

namespace standin::engine {

int TFrameKeeper::Offer(TEncodedFrame frame) {
  int ack_now = 0;
  {
    std::lock_guard<std::mutex> lock(FLock);
    if (FStopped) return 0;
    if (!FVisible) {
      frame.serial = ++FNewest;
      FLastPicture.clear();
      ++FDropped;
      return 0;
    }
    // The engine sends the same picture again (a screenshot of the page makes it repaint): the
    // page has not moved, so there is nothing to decode, and a lossless picture asked for it
    // still shows it as it is.
    if (frame.data == FLastPicture) {
      ++FDropped;
      return frame.ack;
    }
    frame.serial = ++FNewest;
    FLastPicture = frame.data;
    if (FFrame) {
      ++FDropped;
      if (frame.ack != 0) FAcks.push_back(frame.ack);
    } else {
      ack_now = frame.ack;
    }
    FFrame = std::move(frame);
  }
  FWake.notify_one();
  return ack_now;
}

void TFrameKeeper::OfferLossless(std::string data, uint64_t since) {
  {
    std::lock_guard<std::mutex> lock(FLock);
    if (FStopped || !FVisible || since != FNewest) {
      ++FDropped;
      return;
    }
    if (FFrame) ++FDropped;
    TEncodedFrame frame;
    frame.data = std::move(data);
    frame.lossless = true;
    frame.serial = FNewest;
    FFrame = std::move(frame);
  }
  FWake.notify_one();
}

std::optional<TEncodedFrame> TFrameKeeper::Take(std::vector<int>& acks) {
  std::lock_guard<std::mutex> lock(FLock);
  acks.swap(FAcks);
  FAcks.clear();
  return std::exchange(FFrame, std::nullopt);
}

bool TFrameKeeper::Wait(std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(FLock);
  FWake.wait_for(lock, timeout, [this] { return FStopped || FWoken || FFrame.has_value(); });
  FWoken = false;
  return !FStopped;
}

void TFrameKeeper::Wake() {
  {
    std::lock_guard<std::mutex> lock(FLock);
    FWoken = true;
  }
  FWake.notify_one();
}

void TFrameKeeper::Stop() {
  {
    std::lock_guard<std::mutex> lock(FLock);
    FStopped = true;
  }
  FWake.notify_all();
}

void TFrameKeeper::SetVisible(bool visible) {
  std::lock_guard<std::mutex> lock(FLock);
  FVisible = visible;
  if (!visible) FLastPicture.clear();
  if (!visible && FFrame) {
    // The engine stops sending; what it sent before is no longer owed an answer.
    FFrame.reset();
    FAcks.clear();
    ++FDropped;
  }
}

uint64_t TFrameKeeper::Newest() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FNewest;
}

uint64_t TFrameKeeper::Dropped() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FDropped;
}

}  // namespace standin::engine
