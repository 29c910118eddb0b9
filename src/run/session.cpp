#include "run/session.h"

#include "run/count_run.h"
#include "run/progress.h"

namespace kwl {

Session::Session(Platform& p) : platform(p), pump(p), intake(aWords, commonWords, run, main, params, pump) {
  main.cmdListWords.onClick = [this] { cmdListWords_Click(*this); };
  main.Timer2.onTimer = [this] { Timer2_Timer(*this); };
  main.chkSuppressWords.onClick = [this] { chkSuppressWords_Click(*this); };
}

}  // namespace kwl
