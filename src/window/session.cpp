#include "session.h"

#include "count_run.h"
#include "main_window.h"
#include "progress.h"
#include "settings_window.h"
#include "common_words.h"
#include "occurrences_window.h"

namespace kwl {

Session::Session(Platform& p) : platform(p), pump(p), intake(*this) {
  main.cmdListWords.onClick = [this] { cmdListWords_Click(*this); };
  ConnectMainWindow(*this);
  ConnectSettingsWindow(*this);
  ConnectOccurrencesWindow(*this);
  main.Timer2.onTimer = [this] { Timer2_Timer(*this); };
  main.chkSuppressWords.onClick = [this] { chkSuppressWords_Click(*this); };
  params.chkIgnoreCommonWords.onClick = [this] { chkIgnoreCommonWords_Click(*this); };
  params.txbCommonWordsFile.onLostFocus = [this] { txbCommonWordsFile_LostFocus(*this); };
  params.cmdClearCommonWordsFile.onClick = [this] { cmdClearCommonWordsFile_Click(*this); };
  params.cmdSelectCommonWordsFile[0].onClick = [this] { cmdSelectCommonWordsFile_Click(*this, 0); };
  params.cmdSelectCommonWordsFile[1].onClick = [this] { cmdSelectCommonWordsFile_Click(*this, 1); };
}

}  // namespace kwl
