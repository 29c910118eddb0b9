#include "order.h"

#include "listing/order.h"
#include "session.h"

namespace kwl {
namespace {

class WindowOrderProgress final : public OrderProgress {
 public:
  explicit WindowOrderProgress(Session& s) : s_(s) {}
  void CountRanked() override { s_.pump.Yield(); }
  void Placed(std::int32_t rank) override {
    if (rank % 1000 == 0) {
      s_.main.txbOutput.Append(" .");
      s_.main.txbOutput.Repaint();
    }
    if (s_.run.blnStartUpCompleted) s_.pump.Yield();
  }

 private:
  Session& s_;
};

}  // namespace

void BuildFrequencyOrder(Session& s) {
  WindowOrderProgress progress(s);
  s.run.aFrequencyOrder = RankByFrequency(s.aWords, progress);
}

}  // namespace kwl
