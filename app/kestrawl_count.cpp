// kestrawl-count: the command-line companion. It runs the same engine as the
// window: the input is taken as if chosen in the input-file dialog, then
// counted with the count command, and the program's output file is written
// to --output FILE or to standard output.
#include <fcntl.h>
#include <csignal>
#include <unistd.h>

#include <chrono>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <CLI/CLI.hpp>

#include "files/paths.h"
#include "text_file.h"
#include "cli_platform.h"
#include "count_run.h"
#include "progress.h"
#include "file_choice.h"
#include "session.h"
#include "window_state.h"
#include "persistence.h"
#include "files/program_folder.h"
#include "files/temp_cleanup.h"
#include "common_words.h"

namespace {

using namespace kwl;

constexpr int kExitListed = 0;
constexpr int kExitNoWords = 1;
constexpr int kExitUsage = 2;
constexpr int kExitRefused = 3;

constexpr const char* kUsage =
    "Usage: kestrawl-count [--settings FILE.kwl] [--common-words FILE] [--utf8 | --ansi]\n"
    "                      [--order frequency|alphabetical] [--format N] [--commas]\n"
    "                      [--output FILE] INPUT\n";

constexpr const char* kHelp =
    "Counts how often each word occurs in INPUT and lists the words with their\n"
    "frequencies, as Kestrawl's count command does, writing Kestrawl's output file.\n"
    "\n"
    "INPUT                  a text file (Windows-1252 or UTF-8) or a DOCX file; \"-\"\n"
    "                       reads UTF-8 text from standard input and counts it as\n"
    "                       Kestrawl counts clipboard text (at most 100,000 characters).\n"
    "\n"
    "Options:\n"
    "  --settings FILE.kwl  start from the settings saved in FILE.kwl (a settings\n"
    "                       file or kwl.usr); without it the default settings apply.\n"
    "  --common-words FILE  ignore the words listed in FILE (a common-words file).\n"
    "  --utf8               scan the input as UTF-8 whatever its detection says.\n"
    "  --ansi               scan the input as Windows-1252 (ANSI).\n"
    "                       Without either, the file's detection decides.\n"
    "  --order ORDER        'frequency' (most frequent first) or 'alphabetical'.\n"
    "  --format N           display format 0 to 9:\n"
    "                         0 rank frequency word   5 frequency word\n"
    "                         1 rank word frequency   6 word rank\n"
    "                         2 rank frequency        7 word frequency\n"
    "                         3 rank word             8 word\n"
    "                         4 frequency rank        9 word (+ commas)\n"
    "  --commas             separate the columns of the output with commas.\n"
    "  --output FILE        write the output file to FILE instead of standard output.\n"
    "  --help               show this text.\n"
    "\n"
    "The options --order, --format and --commas override the settings file.\n"
    "\n"
    "Output: the output file as Kestrawl writes it for spreadsheets (two note\n"
    "lines, an empty line, the heading and one line per word; Windows-1252 text,\n"
    "CR LF line ends). Messages, the run statistics and the elapsed time go to\n"
    "standard error. Kestrawl's report that its text box is full is left out:\n"
    "there is no text box here, and the output file holds the complete list.\n"
    "\n"
    "Exit status: 0 words were listed; 1 the count found no words to list;\n"
    "2 usage error, an unusable settings file, or settings that cannot be used\n"
    "with the input (7-bit ASCII only with a UTF-8 or DOCX input); 3 the input\n"
    "(or the common-words file) was refused or could not be read to its end, or\n"
    "the output could not be written. After a failure nothing is written to the\n"
    "output file or to standard output, and an earlier output file is kept.\n";

struct Options {
  std::optional<std::string> settings;
  std::optional<std::string> commonWords;
  std::optional<bool> utf8;
  std::optional<int> order;
  std::optional<int> format;
  bool commas = false;
  std::optional<std::string> output;
  std::optional<std::string> input;
  bool help = false;
};

[[noreturn]] void UsageError(const std::string& problem) {
  std::fprintf(stderr, "kestrawl-count: %s\n%sTry 'kestrawl-count --help' for more information.\n",
               problem.c_str(), kUsage);
  std::exit(kExitUsage);
}

// The options as CLI11 parses them; the values are checked afterwards so
// that each problem gets its own plain sentence.
Options ParseArguments(int argc, char** argv) {
  CLI::App app;
  app.set_help_flag();
  app.allow_windows_style_options(false);
  Options o;
  std::string settings, commonWords, order, format, output, input;
  bool utf8 = false, ansi = false;
  app.add_flag("-h,--help", o.help)->disable_flag_override();
  app.add_option("--settings", settings);
  app.add_option("--common-words", commonWords);
  auto* utf8Flag = app.add_flag("--utf8", utf8)->disable_flag_override();
  auto* ansiFlag = app.add_flag("--ansi", ansi)->disable_flag_override();
  app.add_option("--order", order);
  app.add_option("--format", format);
  app.add_flag("--commas", o.commas)->disable_flag_override();
  auto* outputOption = app.add_option("--output", output);
  auto* inputOption = app.add_option("INPUT", input);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    UsageError(e.what());
  }
  if (utf8Flag->count() > 0 && ansiFlag->count() > 0) UsageError("--utf8 and --ansi exclude each other");
  if (utf8Flag->count() > 0 || ansiFlag->count() > 0) o.utf8 = utf8;
  if (app.count("--settings") > 0) o.settings = settings;
  if (app.count("--common-words") > 0) o.commonWords = commonWords;
  if (app.count("--order") > 0) {
    if (order == "frequency") {
      o.order = 0;
    } else if (order == "alphabetical") {
      o.order = 1;
    } else {
      UsageError("--order must be 'frequency' or 'alphabetical', not '" + order + "'");
    }
  }
  if (app.count("--format") > 0) {
    if (format.size() != 1 || format[0] < '0' || format[0] > '9')
      UsageError("--format must be a number from 0 to 9, not '" + format + "'");
    o.format = format[0] - '0';
  }
  if (outputOption->count() > 0) {
    if (output.empty()) UsageError("--output needs a file name");
    o.output = output;
  }
  if (inputOption->count() > 0) {
    if (input.empty()) UsageError("the input file name is empty");
    o.input = input;
  }
  if (!o.help && !o.input) UsageError("no input given");
  return o;
}

// Paths are made absolute first: checking the input file makes its folder the
// current one, as the window does, and relative paths would then move.
std::string Absolute(const std::string& path) {
  std::error_code ec;
  const auto p = std::filesystem::absolute(path, ec);
  return ec ? path : p.lexically_normal().string();
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return a == b || std::filesystem::equivalent(a, b, ec);
}

// The temporary output file used when the listing goes to standard output;
// removed again on every exit, an interrupt included.
char g_tempPath[4096] = {0};

void RemoveTemp() {
  if (g_tempPath[0] != '\0') {
    ::unlink(g_tempPath);
    g_tempPath[0] = '\0';
  }
}

extern "C" void OnInterrupt(int signal) {
  if (g_tempPath[0] != '\0') ::unlink(g_tempPath);
  // The DOCX reader's temporary folder, with the document's text.
  tempcleanup::RemoveAll();
  ::_exit(128 + signal);
}

[[noreturn]] void Exit(int status) {
  RemoveTemp();
  std::fflush(stderr);
  std::exit(status);
}

std::string MakeTempOutput() {
  const char* dir = std::getenv("TMPDIR");
  std::string pattern = std::string(dir && *dir ? dir : "/tmp") + "/kestrawl-count.XXXXXX";
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) {
    std::fprintf(stderr, "kestrawl-count: cannot create a temporary file: %s\n", std::strerror(errno));
    Exit(kExitRefused);
  }
  ::close(fd);
  if (pattern.size() < sizeof g_tempPath) std::memcpy(g_tempPath, pattern.c_str(), pattern.size() + 1);
  return pattern;
}

bool CopyToStdout(const std::string& path) {
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (!in) return false;
  std::vector<char> buffer(1 << 20);
  bool ok = true;
  for (;;) {
    const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), in);
    if (n > 0 && std::fwrite(buffer.data(), 1, n, stdout) != n) {
      ok = false;
      break;
    }
    if (n < buffer.size()) {
      ok = !std::ferror(in);
      break;
    }
  }
  std::fclose(in);
  return std::fflush(stdout) == 0 && ok;
}

// Standard input as the clipboard text. The clipboard source refuses more
// than 100,000 characters anyway; reading stops a little past what it needs
// to say so, so an endless pipe cannot exhaust memory.
std::string ReadStandardInput(std::size_t limit) {
  std::string text;
  std::vector<char> buffer(1 << 16);
  for (;;) {
    const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), stdin);
    text.append(buffer.data(), n);
    if (text.size() > limit) {
      std::fprintf(stderr,
                   "kestrawl-count: standard input holds more than the 100,000 characters counted as clipboard "
                   "text; give the text as a file instead\n");
      Exit(kExitRefused);
    }
    if (n < buffer.size()) break;
  }
  if (std::ferror(stdin)) {
    std::fprintf(stderr, "kestrawl-count: cannot read standard input: %s\n", std::strerror(errno));
    Exit(kExitRefused);
  }
  return text;
}

// The input-file dialog's handling of a chosen file: checks, UTF-8 detection
// (or the forced choice) and the common-words file of its language. False
// when the file is refused.
bool ChooseInputFile(Session& s, const std::string& path, std::optional<bool> forcedUtf8) {
  s.run.blnWordsGot = false;
  s.main.lblXMLsize.SetCaption("");
  if (TakeInputFile(s, path) != InputChoice::Accepted) return false;
  if (forcedUtf8 && Extension(path) != "docx") s.main.chkUTF8.SetValue(*forcedUtf8 ? 1 : 0);
  s.main.optInFile.Select();
  return true;
}

// A progress line on a terminal: the file source's progress bar, redrawn at
// most ten times a second, and the elapsed-time ticks.
class Progress {
 public:
  Progress(Session& s, bool enabled) : s_(s), enabled_(enabled) {}
  void Pump() {
    const std::int64_t now = s_.platform.MonotonicMs();
    if (now - lastTick_ >= 1000) {
      lastTick_ = now;
      s_.main.Timer2.Tick();
    }
    if (!enabled_ || now - lastDraw_ < 100) return;
    lastDraw_ = now;
    const std::string& bar = s_.main.lblTotalNumOccurrences.Caption();
    if (bar == shown_ || bar.empty() || bar.front() != '[') return;
    shown_ = bar;
    std::fprintf(stderr, "\r%s", bar.c_str());
    std::fflush(stderr);
    drawn_ = true;
  }
  void Clear() {
    if (!drawn_) return;
    std::fprintf(stderr, "\r%*s\r", static_cast<int>(shown_.size()), "");
    drawn_ = false;
  }

 private:
  Session& s_;
  bool enabled_;
  std::int64_t lastTick_ = 0;
  std::int64_t lastDraw_ = 0;
  std::string shown_;
  bool drawn_ = false;
};

int Run(Options o) {
  // Paths are made absolute before anything is checked (see Absolute).
  for (std::optional<std::string>* path : {&o.settings, &o.commonWords, &o.output})
    if (*path) **path = Absolute(**path);
  if (*o.input != "-") o.input = Absolute(*o.input);

  CliPlatform platform;
  platform.utf8Choice = o.utf8;
  Session s(platform);

  s.programFolder = ProgramFolder();
  const std::string cataloguePath = JoinPath(s.programFolder, s.run.strProgramTextFile);
  const int status = s.catalogue.Load(cataloguePath);
  if (status <= 0) {
    std::fprintf(stderr, "kestrawl-count: %s\n", Catalogue::FailureMessage(status, cataloguePath).c_str());
    return kExitRefused;
  }
  // The listing's "text box is full" report concerns the window only.
  platform.silencedTitles.insert(s.Text(27));
  // Common words are ignored only when asked for (--common-words, or a
  // settings file that ticks the setting), never because a file's language
  // offers a list.
  platform.answerNoTitles.insert(s.Text(42));
  platform.silencedTitles.insert(s.Text(42));

  InitializeVariables(s);
  SetDefaultCommonWordsFile(s);
  s.main.cmdListWords.SetCaption(s.Text(73));
  s.run.blnStartUpCompleted = true;

  // The common-words file to read after the input is chosen: --common-words,
  // or the one a settings file ticks "ignore common words" for.
  std::optional<std::string> commonWords = o.commonWords;
  if (o.settings) {
    // As when the settings window loads a file: no click reactions meanwhile.
    s.params.selfChange = true;
    const std::string message = RestoreSavedState(s, *o.settings);
    if (!commonWords && s.params.chkIgnoreCommonWords.Value() == 1 && !TrimBlanks(s.run.strCommonWordsFile).empty()) {
      commonWords = TrimBlanks(s.run.strCommonWordsFile);
      // Unticked meanwhile, so that choosing the input does not read the
      // list of the input's language in its place.
      s.params.chkIgnoreCommonWords.SetValue(0);
    }
    s.params.selfChange = false;
    if (!message.empty()) {
      std::fprintf(stderr, "kestrawl-count: %s: %s\n", o.settings->c_str(), message.c_str());
      return kExitUsage;
    }
  }
  if (o.order) s.main.cboWordOrder.SetListIndex(*o.order);
  if (o.format) s.main.cboDisplayFormat.SetListIndex(*o.format);
  if (o.commas) s.params.chkOutputWithCommas.SetValue(1);

  const std::string output = o.output ? *o.output : MakeTempOutput();
  s.main.txbFile[1].SetText(output);
  s.main.chkDisableOutputToFile.SetValue(0);
  UpdateDisableOutputCheckBox(s);

  std::int64_t inputSize = 0;
  if (*o.input == "-") {
    platform.clipboard = ReadStandardInput(static_cast<std::size_t>(s.run.lngMaxClipboardChars) * 4 + 4);
    inputSize = static_cast<std::int64_t>(platform.clipboard.size());
    s.main.txbFile[0].Clear();
    s.main.optOnClipboard.Select();
  } else {
    const std::string& input = *o.input;
    // The count would otherwise write its list over the text it has just read
    // (the file source compares the two paths only as texts).
    if (o.output && SameFile(input, output)) {
      s.Warn("Output file cannot be the same as the input file.", s.Text(34));
      return kExitRefused;
    }
    if (!ChooseInputFile(s, input, o.utf8)) return kExitRefused;
    inputSize = FileLength(input);
  }

  if (commonWords) {
    const std::string& path = *commonWords;
    s.run.strCommonWordsFile = path;
    s.params.txbCommonWordsFile.SetText(path);
    // Ticked without its click reaction, which would read the file a first time.
    s.params.selfChange = true;
    s.params.chkIgnoreCommonWords.SetValue(1);
    s.params.selfChange = false;
    if (!AttemptToReadCommonWords(s)) {
      std::fprintf(stderr, "kestrawl-count: cannot use the common-words file %s\n", path.c_str());
      return kExitRefused;
    }
    if (s.commonWords.Size() == 0) {
      std::fprintf(stderr, "kestrawl-count: the common-words file %s holds no words\n", path.c_str());
      return kExitRefused;
    }
  }

  Progress progress(s, ::isatty(STDERR_FILENO) == 1 && inputSize > (1 << 20));
  platform.onProcessEvents = [&progress] { progress.Pump(); };

  // Settings that exclude each other are a usage error; the count command
  // says why.
  if (s.main.chkUTF8.Value() == 1 && s.params.chkOnly7bitASCII.Value() == 1) {
    cmdListWords_Click(s);
    return kExitUsage;
  }

  s.run.blnResultsShown = false;
  s.run.blnOutputFileWritten = false;
  // A count that could not read its whole input is not listed: there is no
  // error box here that a person would see before the list.
  s.run.blnListIncompleteCount = false;
  const auto start = std::chrono::steady_clock::now();
  cmdListWords_Click(s);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  progress.Clear();

  if (!s.run.blnResultsShown) return kExitRefused;
  if (s.run.blnCountIncomplete) {
    std::fprintf(stderr, "kestrawl-count: the count is incomplete: %s could not be read to its end; nothing was listed\n",
                 o.input->c_str());
    return kExitRefused;
  }
  for (const Label* label : {&s.main.lblNumberOfWords, &s.main.lblNumWordsExcluded, &s.main.lblNumOccurrences,
                             &s.main.lblTotalNumOccurrences})
    if (!label->Caption().empty()) std::fprintf(stderr, "%s\n", label->Caption().c_str());
  std::fprintf(stderr, "Time elapsed: %s (%.3f s)\n",
               FormatElapsedTime(static_cast<std::int64_t>(seconds)).c_str(), seconds);

  if (s.run.lngNumWordsIncluded == 0) {
    // The explanation the text box shows instead of a list.
    const MessageBox why{s.main.txbOutput.Text(), "", Buttons::Ok, Icon::None, std::nullopt};
    std::fprintf(stderr, "%s\n", CliPlatform::Render(why).c_str());
    return kExitNoWords;
  }
  if (!s.run.blnOutputFileWritten) return kExitRefused;
  if (!o.output && !CopyToStdout(output)) {
    std::fprintf(stderr, "kestrawl-count: cannot write to standard output: %s\n", std::strerror(errno));
    return kExitRefused;
  }
  return kExitListed;
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = ParseArguments(argc, argv);
  if (options.help) {
    std::fputs(kUsage, stdout);
    std::fputs("\n", stdout);
    std::fputs(kHelp, stdout);
    return std::fflush(stdout) == 0 ? kExitListed : kExitUsage;
  }
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGINT, OnInterrupt);
  std::signal(SIGTERM, OnInterrupt);
  // A hang-up too, unless the program was started immune to it (nohup).
  if (std::signal(SIGHUP, OnInterrupt) == SIG_IGN) std::signal(SIGHUP, SIG_IGN);
  int status = kExitRefused;
  try {
    status = Run(options);
  } catch (const std::bad_alloc&) {
    std::fputs("kestrawl-count: out of memory\n", stderr);
  }
  Exit(status);
}
