#pragma once
// One browser's frames from the engine's screencast to its window: the receiving thread
// offers them, a worker of the browser's own takes the newest, acknowledges it, decodes it
// into the picture the window shows and has the window repaint. The worker also decides
// whether the engine streams at all: only while the window can be seen. When the page has
// stopped moving for a moment it asks once for a lossless picture in place of the last
// (lossy) frame.

#include "frame_decoder.h"
#include "frame_keeper.h"

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace standin::engine {

struct TFramePipelineEvents {
  // All on the worker.
  std::function<void(int ack)> acknowledge;
  std::function<void(bool on)> stream;             // start or stop the screencast
  std::function<void(uint64_t since)> ask_lossless;  // answered through the keeper's OfferLossless
  std::function<bool()> visible;                   // whether the window can be seen
  TFrameDecoder::TTarget target;                   // where a frame is decoded to
  std::function<void()> presented;                 // a frame is in the target, complete
  // Every few seconds while frames come: how many came, were decoded and shown, and how many
  // were dropped unseen (overtaken, or while hidden).
  std::function<void(uint64_t offered, uint64_t shown, uint64_t dropped)> report;
};

class TFramePipeline {
 public:
  // The receiving thread offers the frames to the keeper.
  TFramePipeline(std::shared_ptr<TFrameKeeper> keeper, TFramePipelineEvents events);
  ~TFramePipeline();  // stops and waits for the worker (never to be called on it)
  TFramePipeline(const TFramePipeline&) = delete;
  TFramePipeline& operator=(const TFramePipeline&) = delete;

  // Any thread: the screencast starts again (a new size); the worker does it.
  void Restart();

 private:
  void Run();

  TFramePipelineEvents FEvents;
  std::shared_ptr<TFrameKeeper> FKeeper;
  std::atomic<bool> FRestart{false};
  std::thread FWorker;
};

}  // namespace standin::engine
