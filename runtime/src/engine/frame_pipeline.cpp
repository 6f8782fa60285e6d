#include "frame_pipeline.h"

namespace standin::engine {

namespace {

using std::chrono::milliseconds;

// How long a page must stay still before its lossy frame gives way to a lossless one.
constexpr milliseconds kStill{300};
// How often a hidden window is looked at, to stream again once it shows.
constexpr milliseconds kHiddenLook{250};
constexpr milliseconds kIdleLook{1000};
constexpr std::chrono::seconds kReportEvery{5};

}  // namespace

TFramePipeline::TFramePipeline(std::shared_ptr<TFrameKeeper> keeper, TFramePipelineEvents events)
    : FEvents(std::move(events)), FKeeper(std::move(keeper)) {
  FWorker = std::thread([this] { Run(); });
}

TFramePipeline::~TFramePipeline() {
  FKeeper->Stop();
  if (FWorker.joinable()) FWorker.join();
}

void TFramePipeline::Restart() {
  FRestart = true;
  FKeeper->Wake();
}

void TFramePipeline::Run() {
  TFrameDecoder decoder;  // COM and the imaging factory, once for this thread
  bool streaming = false;
  bool lossless_due = false;   // the page shows a lossy frame that has not been replaced
  bool lossless_asked = false;
  std::vector<int> acks;
  uint64_t shown = 0, reported = 0;
  auto report_at = std::chrono::steady_clock::now() + kReportEvery;
  for (;;) {
    if (std::chrono::steady_clock::now() >= report_at) {
      report_at += kReportEvery;
      if (FKeeper->Newest() != reported && FEvents.report) FEvents.report(FKeeper->Newest(), shown, FKeeper->Dropped());
      reported = FKeeper->Newest();
    }
    bool visible = FEvents.visible();
    FKeeper->SetVisible(visible);
    if (visible != streaming || (streaming && FRestart.exchange(false))) {
      if (streaming) FEvents.stream(false);
      if (visible) FEvents.stream(true);
      streaming = visible;
    }
    milliseconds wait = !visible ? kHiddenLook : lossless_due && !lossless_asked ? kStill : kIdleLook;
    if (!FKeeper->Wait(wait)) return;
    std::optional<TEncodedFrame> frame = FKeeper->Take(acks);
    for (int ack : acks) FEvents.acknowledge(ack);
    if (!frame) {
      if (streaming && lossless_due && !lossless_asked) {
        lossless_asked = true;
        FEvents.ask_lossless(FKeeper->Newest());
      }
      continue;
    }
    if (!frame->lossless) {
      lossless_due = true;
      lossless_asked = false;
      if (decoder.Decode(frame->data, FEvents.target)) {
        ++shown;
        FEvents.presented();
      }
    } else if (decoder.Decode(frame->data, FEvents.target)) {
      lossless_due = false;
      ++shown;
      FEvents.presented();
    }
  }
}

}  // namespace standin::engine
