// kestrawl-count: the command-line companion. It counts with the core the
// window counts with: the input file, or standard input as clipboard text, is
// counted with the settings of a settings file (or the defaults), and the
// output file is written to --output FILE or to standard output. Messages use
// the window's words, printed as "Title: text"; its questions are decided
// here: UTF-8 as detected unless --utf8 or --ansi says otherwise, a failed
// checksum and a large document are read all the same.
#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <CLI/CLI.hpp>

#include "count/common_words_file.h"
#include "count/common_words_list.h"
#include "count/corpus_count.h"
#include "count/filters.h"
#include "count/ignore_list.h"
#include "count/limits.h"
#include "count/rules_from_settings.h"
#include "count/words_to_ignore.h"
#include "files/corpus_files.h"
#include "files/paths.h"
#include "files/program_folder.h"
#include "files/regular_file.h"
#include "files/run_error.h"
#include "files/temp_cleanup.h"
#include "inspect/explain.h"
#include "inspect/occurrences.h"
#include "listing/count_listing.h"
#include "listing/counts_file.h"
#include "listing/order.h"
#include "listing/output_file.h"
#include "listing/report_text.h"
#include "listing/string_sink.h"
#include "settings/settings_file.h"
#include "sources/clipboard_text.h"
#include "sources/docx_document.h"
#include "sources/encoding.h"
#include "sources/input_file.h"
#include "sources/input_notices.h"
#include "sources/text_file_source.h"
#include "sources/utf16_file_source.h"
#include "text/cp1252.h"

namespace {

using namespace kwl;
using Kind = Status::Kind;

constexpr int kExitListed = 0;
constexpr int kExitNoWords = 1;
constexpr int kExitUsage = 2;
constexpr int kExitRefused = 3;

constexpr const char* kUsage =
    "Usage: kestrawl-count [--settings FILE.kwl] [--common-words FILE] [--utf8 | --ansi]\n"
    "                      [--order frequency|alphabetical] [--format N] [--commas]\n"
    "                      [--files-column] [-r] [--include GLOB]... [-j N] [--unicode]\n"
    "                      [--output FILE | --counts-out FILE.tsv] INPUT...\n"
    "       kestrawl-count --merge [options] TABLE.tsv...\n"
    "       kestrawl-count [settings options] --occurrences WORD [--sort position|left|right] INPUT\n"
    "       kestrawl-count [settings options] --explain TOKEN INPUT\n";

constexpr const char* kHelp =
    "Counts how often each word occurs in INPUT and lists the words with their\n"
    "frequencies, as Kestrawl's count command does, writing Kestrawl's output file.\n"
    "\n"
    "INPUT                  a text file (Windows-1252 or UTF-8) or a DOCX file; \"-\"\n"
    "                       reads UTF-8 text from standard input and counts it as\n"
    "                       Kestrawl counts clipboard text (at most 100,000 characters).\n"
    "                       Several INPUTs, or a folder, are counted as one corpus:\n"
    "                       the files in name order as one text, a folder's files\n"
    "                       with the text-like extensions and .docx. A file that\n"
    "                       cannot be counted is skipped with its message, and the\n"
    "                       statistics add the files counted and skipped.\n"
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
    "  --files-column       add the column Files: in how many files each word occurs.\n"
    "  --unicode            words in every script: the input is read as Unicode\n"
    "                       (UTF-8, Windows-1252 converted, UTF-16 with a byte-order\n"
    "                       mark, DOCX, standard input), words are letters of any\n"
    "                       script, folded by Unicode case folding, and Chinese,\n"
    "                       Japanese, Thai, Lao, Khmer and Myanmar text is split\n"
    "                       into words by a dictionary. The words are written as\n"
    "                       UTF-8. A settings file with the option ticked does the\n"
    "                       same.\n"
    "  -r, --recursive      take the files of a folder's sub-folders too.\n"
    "  --include GLOB       take a folder's files whose names match GLOB (\"*.txt\";\n"
    "                       case ignored) instead of the text-like extensions and\n"
    "                       .docx; may be given several times.\n"
    "  -j N                 count N files at a time, each on its own thread (default:\n"
    "                       the number of processors); the output is the same for\n"
    "                       every N. -j 1 counts on one thread.\n"
    "  --counts-out FILE    write the counts table to FILE (FILE.tsv) instead of a\n"
    "                       listing: every word counted with its display spelling,\n"
    "                       count and files, tab-separated UTF-8 after a header line\n"
    "                       naming the rules it was counted with and its totals.\n"
    "  --merge              the arguments are counts tables: list (or, with\n"
    "                       --counts-out, write) the count of all their files\n"
    "                       together. Tables counted with other word rules are\n"
    "                       refused. The listing follows this run's settings: give\n"
    "                       the merge the --settings the tables were counted with.\n"
    "                       Tables of words in every script are listed as such.\n"
    "  --occurrences WORD   instead of the list, print every occurrence of the entry\n"
    "                       WORD is counted under, one a line: the line number, the\n"
    "                       text before it, the word as it stands in the text and\n"
    "                       the text after it (about 60 characters each side),\n"
    "                       aligned on the word (UTF-8, newline line ends).\n"
    "  --sort ORDER         the occurrences by 'position' (the order of the text),\n"
    "                       'left' (the words before the word, nearest first) or\n"
    "                       'right' (the words after it).\n"
    "  --explain TOKEN      instead of the list, say step by step what the count's\n"
    "                       rules do with TOKEN as it appears in the text: where the\n"
    "                       scanner cuts it, the trailing characters cut off, the\n"
    "                       final \"s\", apostrophe fragments, case folding, and the\n"
    "                       rule that ignores it or the entry it is counted under\n"
    "                       (with its frequency in INPUT).\n"
    "  --help               show this text.\n"
    "\n"
    "The options --order, --format and --commas override the settings file.\n"
    "With --occurrences or --explain, INPUT is read with the settings of a count\n"
    "(its markup, its common words) and no output file is written; exit status 1\n"
    "when WORD has no occurrences (it is not in the list).\n"
    "\n"
    "Output: the output file as Kestrawl writes it for spreadsheets (two note\n"
    "lines, an empty line, the heading and one line per word; Windows-1252 text,\n"
    "CR LF line ends). Messages, the run statistics and the elapsed time go to\n"
    "standard error. Kestrawl's report that its text box is full is left out:\n"
    "there is no text box here, and the output file holds the complete list.\n"
    "\n"
    "Exit status: 0 words were listed (or the counts table written); 1 the count\n"
    "found no words to list, or the folders held no files to count; 2 usage error,\n"
    "an unusable settings file, settings that cannot be used with the input (7-bit\n"
    "ASCII only with a UTF-8 or DOCX input), or a table to merge that is not a\n"
    "complete counts table of this version or was counted with other word rules;\n"
    "3 the input (or the common-words file) was refused or could not be read to its\n"
    "end, or the output could not be written. After a failure nothing is written to\n"
    "the output file or to standard output, and an earlier output file is kept.\n";

struct Options {
  std::optional<std::string> settings;
  std::optional<std::string> commonWords;
  std::optional<bool> utf8;
  std::optional<int> order;
  std::optional<int> format;
  bool commas = false;
  std::optional<std::string> output;
  std::vector<std::string> inputs;
  bool help = false;
  // A corpus of many files, and counts tables.
  bool filesColumn = false;
  bool recursive = false;
  std::vector<std::string> include;
  std::optional<int> threads;
  std::optional<std::string> countsOut;
  bool merge = false;
  std::optional<std::string> occurrences;  // UTF-8, as typed
  OccurrenceOrder sort = OccurrenceOrder::kPosition;
  std::optional<std::string> explain;      // UTF-8, as typed
  bool unicode = false;  // words in every script
};

[[noreturn]] void UsageError(const std::string& problem) {
  std::fprintf(stderr, "kestrawl-count: %s\n%sTry 'kestrawl-count --help' for more information.\n",
               problem.c_str(), kUsage);
  std::exit(kExitUsage);
}

// Paths are made absolute first, so that messages name files as before.
std::string Absolute(const std::string& path) {
  std::error_code ec;
  const auto p = std::filesystem::absolute(path, ec);
  return ec ? path : p.lexically_normal().string();
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
  std::vector<std::string> inputs;
  std::string threads, countsOut;
  app.add_flag("--files-column", o.filesColumn)->disable_flag_override();
  app.add_flag("-r,--recursive", o.recursive)->disable_flag_override();
  app.add_option("--include", o.include)->allow_extra_args(false);
  app.add_option("-j", threads);
  auto* countsOutOption = app.add_option("--counts-out", countsOut);
  app.add_flag("--merge", o.merge)->disable_flag_override();
  app.add_flag("--unicode", o.unicode)->disable_flag_override();
  auto* inputOption = app.add_option("INPUT", inputs);
  std::string occurrences, sort, explain;
  app.add_option("--occurrences", occurrences);
  app.add_option("--sort", sort);
  app.add_option("--explain", explain);
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
    for (const std::string& input : inputs)
      if (input.empty()) UsageError("the input file name is empty");
    o.inputs = inputs;
  }
  if (app.count("-j") > 0) {
    if (threads.empty() || threads.size() > 3 || threads.find_first_not_of("0123456789") != std::string::npos ||
        std::stoi(threads) < 1 || std::stoi(threads) > 256)
      UsageError("-j must be a number from 1 to 256, not '" + threads + "'");
    o.threads = std::stoi(threads);
  }
  for (const std::string& glob : o.include)
    if (glob.empty()) UsageError("--include needs a pattern");
  if (countsOutOption->count() > 0) {
    if (countsOut.empty()) UsageError("--counts-out needs a file name");
    if (o.output) UsageError("--output and --counts-out exclude each other");
    o.countsOut = countsOut;
  }
  if (app.count("--occurrences") > 0) o.occurrences = occurrences;
  if (app.count("--explain") > 0) o.explain = explain;
  if (o.occurrences && o.explain) UsageError("--occurrences and --explain exclude each other");
  if ((o.occurrences && o.occurrences->empty()) || (o.explain && o.explain->empty()))
    UsageError(o.explain ? "--explain needs a token" : "--occurrences needs a word");
  if (app.count("--sort") > 0) {
    if (!o.occurrences) UsageError("--sort goes with --occurrences");
    if (sort == "left") {
      o.sort = OccurrenceOrder::kLeft;
    } else if (sort == "right") {
      o.sort = OccurrenceOrder::kRight;
    } else if (sort != "position") {
      UsageError("--sort must be 'position', 'left' or 'right', not '" + sort + "'");
    }
  }
  if ((o.occurrences || o.explain) && o.output)
    UsageError("--output goes with a list, not with --occurrences or --explain");
  if ((o.occurrences || o.explain) && (o.inputs.size() > 1 || o.merge || o.countsOut))
    UsageError(std::string(o.explain ? "--explain" : "--occurrences") +
               " takes one INPUT file, not several, nor --merge or --counts-out");
  if (o.help) return o;
  if (o.inputs.empty()) UsageError(o.merge ? "no counts table given to merge" : "no input given");
  const bool fromStdin = std::find(o.inputs.begin(), o.inputs.end(), "-") != o.inputs.end();
  if (fromStdin && o.inputs.size() > 1) UsageError("standard input (\"-\") cannot be counted with other files");
  for (std::size_t i = 0; i < o.inputs.size(); ++i)
    for (std::size_t k = 0; k < i; ++k)
      if (Absolute(o.inputs[i]) == Absolute(o.inputs[k])) UsageError("'" + o.inputs[i] + "' is given twice");
  if (o.merge && (fromStdin || o.utf8 || o.recursive || !o.include.empty() || o.commonWords))
    UsageError("--merge takes counts tables only (no \"-\", --utf8, --ansi, -r, --include or --common-words)");
  return o;
}

// A message box of the window: "Title: text", its line ends as newlines.
void Say(const std::string& title, const std::string& text) {
  std::string shown = title.empty() ? text : title + ": " + text;
  for (std::size_t at = shown.find("\r\n"); at != std::string::npos; at = shown.find("\r\n", at)) shown.erase(at, 1);
  std::fprintf(stderr, "%s\n", shown.c_str());
}

void Fail(const std::string& text) { std::fprintf(stderr, "kestrawl-count: %s\n", text.c_str()); }

// The window's error report of a run.
void Report(const RunError& e, const std::string& procedure) {
  Say("Warning", RunErrorReport(e.Number(), e.Description(), procedure));
}

std::string SettingsProblem(const SettingsRead& read) {
  const Status& st = read.status;
  if (st.kind == Kind::kBadFormat) return "Error when attempting to restore settings: " + st.detail;
  if (st.kind == Kind::kNotRegular && !st.detail.empty())
    return "Error when attempting to restore settings: " + st.path + " is " + st.detail;
  if (!st.Ok()) return std::string("Error when attempting to restore settings: ") + std::strerror(st.err ? st.err : EIO);
  const Settings& s = read.settings;
  for (int index : {s.shortWordSizeIndex, s.longWordSizeIndex, s.thresholdFrequencyIndex, s.wordOrderIndex,
                    s.displayFormatIndex})
    if (index == -1) return "Invalid combo box index";
  return {};
}

void Say(const Notice& notice) { Say(notice.title, notice.text); }

// The window's text-file check; forWordList: a common-words file, which
// any text file passes without the notice about CR line ends.
bool TextFileAccepted(const std::string& path, const TextFileInspection& info, bool forWordList) {
  const TextFileVerdict verdict = JudgeTextFile(path, info);
  if (verdict.notice && (!verdict.accepted || !forWordList)) Say(*verdict.notice);
  return verdict.accepted;
}

// The data folder (kwl.dat and the common-words files) was in none of the
// places looked in: each is named.
std::string MissingDataText(const ProgramFolderSearch& data) {
  std::string places;
  for (const std::string& folder : data.lookedIn) places += (places.empty() ? "" : " nor in ") + folder;
  return "the data files are missing (no " + std::string(kCatalogueFileName) + " in " + places +
         "): the common words of the input's language are not ignored";
}

// Reads a common-words file into the list, with the settings window's
// messages; false when it could not be read whole. With words in every
// script the list holds the words as that mode reads them (UTF-8, folded,
// NFC).
bool LoadCommonWords(const std::string& path, CommonWordsList& list, bool unicode) {
  const Status where = LocateCommonWordsFile(path);
  if (where.kind == Kind::kNotRegular) Say(CommonWordsFileUnreadable(path, where));
  if (where.kind == Kind::kNotFound) Say(CommonWordsFileNotFound());
  if (!where.Ok()) return false;
  const TextFileInspection info = InspectTextFile(path);
  if (!TextFileAccepted(path, info, true)) return false;
  CountObserver quiet;
  CommonWordsFileRead read = ReadCommonWordsFile(path, info.sample.utf8, quiet, unicode);
  if (!read.status.Ok() && read.status.kind != Kind::kEmpty) {
    Say(CommonWordsFileUnreadable(path, read.status));
    return false;
  }
  Say("Common words loaded", CommonWordsLoadedText(read.words.size(), path));
  list.Replace(std::move(read.words), unicode);
  return true;
}

// Standard input as the clipboard text. Reading stops a little past what
// the clipboard's check needs, so an endless pipe cannot exhaust memory.
bool ReadStandardInput(std::string& text) {
  const std::size_t limit = static_cast<std::size_t>(kMaxClipboardChars) * 4 + 4;
  std::vector<char> buffer(1 << 16);
  for (std::size_t n = buffer.size(); n == buffer.size();) {
    n = std::fread(buffer.data(), 1, buffer.size(), stdin);
    text.append(buffer.data(), n);
    if (text.size() > limit) {
      Fail("standard input holds more than the 100,000 characters counted as clipboard text; give the text as a "
           "file instead");
      return false;
    }
  }
  if (!std::ferror(stdin)) return true;
  Fail(std::string("cannot read standard input: ") + std::strerror(errno));
  return false;
}

bool ClipboardTextAccepted(const std::string& text) {
  std::size_t n = 0;
  const Status check = CheckClipboardText(text, kMaxClipboardChars, n);
  if (const std::optional<Notice> refusal = ClipboardTextRefusal(check, n)) {
    Say(*refusal);
    return false;
  }
  if (IsPlainText(text, 3000, true)) return true;
  Say(NotPlainTextNotice());
  return false;
}

// A progress line on a terminal: the window's progress bar, redrawn at most
// ten times a second while it moves.
class ProgressLine final : public CountObserver, public DocxPieceObserver {
 public:
  explicit ProgressLine(bool enabled) : enabled_(enabled) {}
  void Progress(std::int64_t done, std::int64_t total) override { Draw(done, total); }
  // Nothing to pump and no stop button: the counter needs no call per word.
  bool StepsWithinLines() override { return false; }
  bool GoOn() override { return true; }
  void Piece(const std::string&, std::int32_t, std::int64_t position, std::int64_t length) override {
    if (length > 1000000) Draw(position, length);
  }
  void RunDone() override {}
  void Clear() {
    if (!shown_.empty()) std::fprintf(stderr, "\r%*s\r", static_cast<int>(shown_.size()), "");
    shown_.clear();
  }

 private:
  void Draw(std::int64_t done, std::int64_t total) {
    if (!enabled_) return;
    const auto now = std::chrono::steady_clock::now();
    const std::string bar = TextProgressBar(ProgressBarPosition(done, total, kProgressBarWidth), kProgressBarWidth);
    if (bar == shown_ || now - drawn_ < std::chrono::milliseconds(100)) return;
    drawn_ = now;
    shown_ = bar;
    std::fprintf(stderr, "\r%s", bar.c_str());
  }

  bool enabled_;
  std::chrono::steady_clock::time_point drawn_;
  std::string shown_;
};

// The text pieces of a DOCX document, with the window's messages.
bool ReadDocx(const std::string& path, std::vector<std::string>& pieces, ProgressLine& progress, bool unicode) {
  const auto proceed = [&](const DocxBody& body) {
    if (body.checksumFailed) Say("", DocxChecksumQuestion(path));
    if (body.status.Ok() && body.size > kDocxWarnSize) Say("Big file", DocxBigFileQuestion(path));
    return true;
  };
  DocxDocument doc = ReadDocxDocument(path, kDocxMaxSize, proceed, &progress, unicode);
  if (doc.status.Ok()) {
    pieces = std::move(doc.pieces);
    return true;
  }
  const DocxFailure failure = DescribeDocxFailure(doc, path);
  if (failure.notice) Say(*failure.notice);
  if (failure.error) Report(*failure.error, "DoIt");
  return false;
}

// The DOCX reader's temporary folder holds the document's text: removed on
// an interrupt too, which ends the program with status 128 + the signal.
extern "C" void OnInterrupt(int signal) {
  tempcleanup::RemoveAll();
  ::_exit(128 + signal);
}

// What a count or a merge hands to the listing: the table in binary word
// order with every word the scan counted (the post-scan rules not applied
// yet), its totals and rules.
struct Counted {
  WordTable words;
  CountsTableHeader header;
  bool ignoring = false;    // words to ignore or common words were in force
  bool severalFiles = false;  // a corpus or a merge: the statistics give the files
};

// The words a counter counted with rules, handed over in word order with
// their totals; ignoring: words to ignore or common words were in force.
Counted CountedOf(Counter& counter, const CountRules& rules, bool ignoring) {
  Counted counted;
  counted.words = std::move(counter.Words());
  counted.words.OrderByWord();
  counted.header.rules = CountsRulesOf(rules);
  counted.header.totalOccurrences = counter.TotalOccurrences();
  counted.ignoring = ignoring;
  return counted;
}

// Writes text (Windows-1252) to standard output as UTF-8; false when it fails.
bool PrintUtf8(const std::string& text, bool unicode) {
  const std::string out = unicode ? text : cp1252::ToUtf8(text);
  if (std::fwrite(out.data(), 1, out.size(), stdout) == out.size() && std::fflush(stdout) == 0) return true;
  Fail(std::string("cannot write to standard output: ") + std::strerror(errno));
  return false;
}

// --occurrences: the key-word-in-context view of the entry the word is
// counted under, read from source with the count's rules. A text file
// that changes while it is read is refused.
int PrintOccurrences(const Options& o, LineSource& source, const CountRules& rules, const std::string& input) {
  SourceStamp stamp;
  const bool file = input != "-" && StampSource(input, stamp).Ok();
  // Words in every script are UTF-8 as typed; the code page's are converted.
  const auto counted = [&rules](const std::string& utf8) {
    return rules.unicode ? utf8 : cp1252::FromUtf8(utf8);
  };
  const auto shown = [&rules](const std::string& text) { return rules.unicode ? text : cp1252::ToUtf8(text); };
  OccurrenceSearch found = FindOccurrences(source, rules, EntryOfToken(counted(*o.occurrences), rules));
  if (found.status.Ok() && file) found.status = CheckSourceUnchanged(input, stamp);
  if (!found.status.Ok()) {
    if (found.status.path.empty() && input != "-") found.status.path = input;
    Fail(OccurrenceSearchProblem(found.status));
    return kExitRefused;
  }
  const std::string entry = shown(found.entry);
  if (found.excludedBy != WordRule::kCounted) {
    Fail("no occurrences: \"" + entry + "\" is not in the list. " +
         shown(RuleSentence(found.excludedBy, found.entry, rules.word, {}, rules.unicode)));
    return kExitNoWords;
  }
  if (found.rows.empty()) {
    Fail("no occurrences of \"" + entry + "\": it is not in the list (--explain tells why)");
    return kExitNoWords;
  }
  SortOccurrences(found.rows, o.sort, rules.unicode);
  std::string text;
  for (const std::string& line : KwicLines(found.rows, rules.unicode)) text += line + "\n";
  std::fprintf(stderr, "%zu occurrence%s of \"%s\"\n", found.rows.size(), found.rows.size() == 1 ? "" : "s",
               entry.c_str());
  return PrintUtf8(text, rules.unicode) ? kExitListed : kExitRefused;
}

// --explain: the steps the count's rules took with the token.
int PrintExplanation(const Options& o, const CountRules& rules, const std::string& commonWordsFile,
                     const WordTable& counted) {
  const std::string token = rules.unicode ? *o.explain : cp1252::FromUtf8(*o.explain);
  const Explanation ex = ExplainToken(token, rules, commonWordsFile, &counted);
  std::string text;
  for (const std::string& step : ex.steps) text += step + "\n";
  return PrintUtf8(text, rules.unicode) ? kExitListed : kExitRefused;
}

// The listing of a count (or its counts table) and the statistics, as the
// count of one file has always ended.
int Finish(Counted& counted, const WordRules& postScan, const Settings& settings, const Options& o,
           std::chrono::steady_clock::time_point start, ProgressLine& progress) {
  WordTable& words = counted.words;
  bool listed = false;
  if (o.countsOut) {
    if (const Status written = WriteCountsTable(*o.countsOut, words, counted.header); !written.Ok()) {
      progress.Clear();
      Report(RunError::FromOutputStatus(written), "ListWords");
      return kExitRefused;
    }
  }
  ApplyPostScanRules(words, postScan);
  SortWordTable(words, 1, words.NumWords(), 1);
  ListStatistics statistics = ComputeListStatistics(words, counted.header.totalOccurrences);
  if (counted.severalFiles) {
    statistics.filesCounted = counted.header.filesCounted;
    statistics.filesSkipped = counted.header.filesSkipped;
  }
  CountListing listing(words, settings, statistics);
  listed = statistics.wordsListed > 0 && !o.countsOut;
  StringSink text;
  if (listed && o.output) {
    if (const Status written = listing.WriteFile(*o.output); !written.Ok()) {
      Report(RunError::FromOutputStatus(written), "ListWords");
      listed = false;
    }
  } else if (listed) {
    listing.Write(text);
  }
  progress.Clear();

  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  for (const std::string& line : StatisticsLines(statistics, counted.ignoring, false))
    if (!line.empty()) std::fprintf(stderr, "%s\n", line.c_str());
  std::fprintf(stderr, "Time elapsed: %s (%.3f s)\n", ElapsedTimeText(static_cast<std::int64_t>(seconds)).c_str(),
               seconds);
  if (o.countsOut) return kExitListed;
  if (statistics.wordsListed == 0) {
    Say("", NoWordsExplanation(words.NumWords() > 0, settings));
    return kExitNoWords;
  }
  if (!listed) return kExitRefused;
  const std::string& out = text.Text();
  if (!o.output && (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0)) {
    Fail(std::string("cannot write to standard output: ") + std::strerror(errno));
    return kExitRefused;
  }
  return kExitListed;
}

// The settings of the run: the settings file's, then the options'.
std::optional<Settings> RunSettings(const Options& o) {
  Settings settings;
  if (o.settings) {
    const SettingsRead read = ReadSettingsFile(*o.settings);
    if (const std::string problem = SettingsProblem(read); !problem.empty()) {
      Fail(*o.settings + ": " + problem);
      return std::nullopt;
    }
    settings = read.settings;
  }
  if (o.order) settings.wordOrderIndex = *o.order;
  if (o.format) settings.displayFormatIndex = *o.format;
  if (o.commas) settings.outputWithCommas = 1;
  if (o.filesColumn) settings.showFilesColumn = 1;
  // Words in every script: --unicode, or the settings file's option.
  if (o.unicode) settings.unicodeWords = 1;
  return settings;
}

// The output file or the counts table can take a new file.
bool OutputsWritable(const Options& o) {
  for (const std::optional<std::string>& out : {o.output, o.countsOut})
    if (out) {
      if (const Status writable = CheckOutputReplaceable(*out); !writable.Ok()) {
        Report(RunError::FromOutputStatus(writable), "DoIt");
        return false;
      }
    }
  return true;
}

// Neither output is one of the files read.
bool OutputsAreNotInputs(const Options& o, const std::vector<std::string>& files) {
  for (const std::string& file : files)
    for (const std::optional<std::string>& out : {o.output, o.countsOut})
      if (out && SameFile(file, *out)) {
        Say("Warning", std::string(kOutputIsInputText));
        return false;
      }
  return true;
}

// The processors the program may run on.
int DefaultThreads() {
  cpu_set_t set;
  if (::sched_getaffinity(0, sizeof set, &set) == 0) return std::max(1, CPU_COUNT(&set));
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

// Each thread of a corpus count may hold a DOCX document's temporary folder,
// and the folders removed on an interrupt have a fixed number of places.
constexpr int kMaxThreads = 12;

// The files of a corpus as the count reads them, with the window's messages.
class CorpusLine final : public CorpusObserver {
 public:
  explicit CorpusLine(ProgressLine& progress) : progress_(progress) {}
  bool StepsWithinLines() override { return false; }
  void Progress(std::int64_t done, std::int64_t total) override { progress_.Progress(done, total); }
  void FileOpened(std::size_t, const std::string& path, const std::vector<FileMessage>& messages,
                  bool skipped) override {
    if (messages.empty() && !skipped) return;
    progress_.Clear();
    for (std::size_t k = 0; k < messages.size(); ++k) {
      std::string text = messages[k].text;
      // A skipped file's one message names it.
      if (skipped && k + 1 == messages.size() && text.find(path) == std::string::npos) text += "\r\n" + path;
      Say(messages[k].title, text);
    }
    if (skipped && messages.empty()) Fail(path + " cannot be counted: skipped");
  }

 private:
  ProgressLine& progress_;
};

// The common-words file of the language of the text file `text`, loaded
// into list as the window loads it for that input: its path, or "" when
// there is none for that language.
std::string LoadLanguageCommonWords(const std::string& text, CommonWordsList& list, bool unicode) {
  const ProgramFolderSearch data = FindProgramFolder();
  if (!data.found) Fail(MissingDataText(data));
  const std::string ofLanguage = CommonWordsFileForLanguage(data.folder, text, unicode);
  return FileExists(ofLanguage) && LoadCommonWords(ofLanguage, list, unicode) ? ofLanguage : std::string();
}

// The common-words file named for the run: --common-words, or the file of
// a settings file that ticks the setting.
std::optional<std::string> NamedCommonWords(const Options& o, const Settings& settings) {
  if (o.commonWords) return o.commonWords;
  std::string file = TrimBlanks(settings.commonWordsFile);
  if (settings.ignoreCommonWords == 1 && !file.empty()) return file;
  return std::nullopt;
}

// The common-words file the user named, loaded into list; false, after the
// message, when it cannot be read or holds no words.
bool LoadNamedCommonWords(const std::string& named, CommonWordsList& list, bool unicode) {
  if (!LoadCommonWords(named, list, unicode)) {
    Fail("cannot use the common-words file " + named);
    return false;
  }
  if (list.Size() == 0) {
    Fail("the common-words file " + named + " holds no words");
    return false;
  }
  return true;
}

// The settings' words to ignore as a list; false, after the message, when
// one holds a character words may not have. With words in every script
// (--unicode or the settings file's option) the words are UTF-8, folded and
// in NFC as the count folds its words.
bool TakeWordsToIgnore(const Settings& settings, IgnoreList& list, bool unicode) {
  if (unicode) {
    if (const std::optional<std::string> words = NormaliseUnicodeWordsToIgnore(settings.wordsToIgnore)) {
      list.Set(IgnoreListText(*words), true);
      if (const std::int32_t c = FirstUnicodeCharacterNotAllowed(*words, AllowedExtraChars(settings)); c >= 0) {
        Say("Character not allowed", UnicodeCharacterNotAllowedText(static_cast<char32_t>(c)));
        return false;
      }
    }
    return true;
  }
  if (const std::optional<std::string> words = NormaliseWordsToIgnore(settings.wordsToIgnore)) {
    list = IgnoreListText(*words);
    if (const int c = FirstCharacterNotAllowed(*words, AllowedExtraChars(settings)); c >= 0) {
      Say("Character not allowed", CharacterNotAllowedText(static_cast<char>(c)));
      return false;
    }
  }
  return true;
}

int RunMerge(const Options& o) {
  const std::optional<Settings> settings = RunSettings(o);
  if (!settings) return kExitUsage;
  std::vector<std::string> tables;
  for (const std::string& table : o.inputs) tables.push_back(Absolute(table));
  if (!OutputsAreNotInputs(o, tables) || !OutputsWritable(o)) return kExitRefused;
  const auto start = std::chrono::steady_clock::now();
  Counted counted;
  counted.severalFiles = true;
  counted.words.TrackFiles();
  for (std::size_t i = 0; i < tables.size(); ++i) {
    CountsTableHeader header;
    const Status read = ReadCountsTable(tables[i], header, counted.words);
    if (read.kind == Kind::kBadFormat) {
      Fail("cannot merge " + tables[i] + ": " + read.detail);
      return kExitUsage;
    }
    if (!read.Ok()) {
      Report(RunError::FromStatus(read), "DoItFromFile");
      Fail("cannot read the counts table " + tables[i]);
      return kExitRefused;
    }
    if (const Status merged = MergeCountsHeader(counted.header, header, i == 0); !merged.Ok()) {
      Fail("cannot merge " + tables[i] + " with " + tables[0] + ": they were counted with different word rules (" +
           merged.detail + ")");
      return kExitUsage;
    }
  }
  counted.words.OrderByWord();
  counted.ignoring = counted.header.IgnoresListedWords();
  // The tables' words decide how they are listed: UTF-8 words in every
  // script or Windows-1252 ones, whatever --unicode or the settings say.
  Settings listed = *settings;
  listed.unicodeWords = counted.header.Unicode() ? 1 : 0;
  ProgressLine progress(false);
  return Finish(counted, WordRulesFromSettings(listed, CountLists{}), listed, o, start, progress);
}

int RunCorpus(const Options& o) {
  std::optional<Settings> read = RunSettings(o);
  if (!read) return kExitUsage;
  Settings& settings = *read;
  const bool unicode = settings.unicodeWords == 1;
  std::vector<std::string> paths;
  for (const std::string& input : o.inputs) paths.push_back(Absolute(input));
  const CorpusFiles corpus = ListCorpusFiles(paths, CorpusChoice{o.recursive, o.include});
  for (const SkippedPath& skipped : corpus.skipped) Fail(SkippedPathText(skipped) + ": skipped");
  if (corpus.files.empty()) {
    std::string named;
    for (const std::string& path : paths) named += (named.empty() ? "" : ", ") + path;
    Fail("no files to count in " + named + (o.include.empty() ? " (files named *.txt, *.docx and the other " +
                                                                    std::string("text-like extensions; see --help)")
                                                              : " (no file matches --include)"));
    return kExitNoWords;
  }
  if (!OutputsAreNotInputs(o, corpus.files)) return kExitRefused;

  // Common words: the named list, or the list of the language of the first
  // text file, as the window chooses it when that file is its input.
  const std::optional<std::string> named = NamedCommonWords(o, settings);
  const bool namedBySettings = named && !o.commonWords;
  bool ignoreCommon = named.has_value();
  CommonWordsList commonWords;
  if (settings.ignoreCommonWords == 1 && !namedBySettings) {
    const auto text = std::find_if(corpus.files.begin(), corpus.files.end(),
                                   [](const std::string& f) { return Extension(f) != "docx"; });
    if (text != corpus.files.end())
      ignoreCommon = !LoadLanguageCommonWords(*text, commonWords, unicode).empty() || named;
  }
  if (named && !LoadNamedCommonWords(*named, commonWords, unicode)) return kExitRefused;
  settings.ignoreCommonWords = ignoreCommon ? 1 : 0;
  IgnoreList wordsToIgnore;
  if (!TakeWordsToIgnore(settings, wordsToIgnore, unicode)) return kExitRefused;
  if (!OutputsWritable(o)) return kExitRefused;

  const auto start = std::chrono::steady_clock::now();
  std::int64_t size = 0;
  for (const std::string& file : corpus.files) size += std::max<std::int64_t>(FileLength(file), 0);
  ProgressLine progress(::isatty(STDERR_FILENO) == 1 && size > (1 << 20));
  CorpusLine line(progress);
  const CountLists lists{&wordsToIgnore, &commonWords};
  CountRules rules = CountRulesFromSettings(settings, lists, scan::MarkupKind{"", false});
  Counter counter;
  counter.Start(rules);
  if (settings.showFilesColumn == 1 || o.countsOut) counter.TrackFiles();
  const int threads = std::min(o.threads.value_or(DefaultThreads()), kMaxThreads);
  if (threads == 1) counter.SetSplitMinUnits(0);
  const InputFileChoice choice{o.utf8, settings.only7bitAscii == 1, unicode};
  const CorpusTally tally = CountCorpus(
      counter, corpus.files, [&](const std::string& path) { return OpenInputFile(path, choice); }, line, threads);
  if (!tally.status.Ok()) {
    progress.Clear();
    Report(RunError::FromStatus(tally.status), "DoItFromFile");
    Fail("the count is incomplete: " + tally.failedFile + " could not be read to its end; nothing was listed");
    return kExitRefused;
  }
  Counted counted = CountedOf(counter, rules, !wordsToIgnore.Empty() || ignoreCommon);
  counted.header.filesCounted = tally.filesCounted;
  counted.header.filesSkipped = tally.filesSkipped + static_cast<std::int32_t>(corpus.skipped.size());
  counted.severalFiles = true;
  return Finish(counted, counter.Rules(), settings, o, start, progress);
}

int Run(Options o) {
  for (std::optional<std::string>* path : {&o.settings, &o.commonWords, &o.output, &o.countsOut})
    if (*path) **path = Absolute(**path);
  if (o.merge) return RunMerge(o);
  const bool folder = o.inputs[0] != "-" && FolderExists(Absolute(o.inputs[0]));
  if (folder && (o.occurrences || o.explain))
    UsageError(std::string(o.explain ? "--explain" : "--occurrences") + " takes one INPUT file, not a folder");
  if (o.inputs.size() > 1 || folder) return RunCorpus(o);
  const bool fromStdin = o.inputs[0] == "-";
  const std::string input = fromStdin ? o.inputs[0] : Absolute(o.inputs[0]);

  std::optional<Settings> read = RunSettings(o);
  if (!read) return kExitUsage;
  Settings& settings = *read;
  const bool unicode = settings.unicodeWords == 1;

  // Common words are ignored only when asked for: --common-words, or a
  // settings file that ticks the setting (for a text file with the list of
  // its language when it names no file, as the window does).
  const std::optional<std::string> named = NamedCommonWords(o, settings);
  const bool namedBySettings = named && !o.commonWords;
  bool ignoreCommon = named || settings.ignoreCommonWords == 1;
  CommonWordsList commonWords;
  std::string commonWordsFile = named.value_or("");

  std::string clipboard;
  bool docx = false;
  bool utf8 = false;
  bool detectedUtf8 = false;
  int utf16 = 0;  // with --unicode: 1 UTF-16 LE, 2 UTF-16 BE (the byte-order mark)
  if (fromStdin) {
    if (!ReadStandardInput(clipboard)) return kExitRefused;
  } else {
    if (o.output && SameFile(input, *o.output)) {
      Say("Warning", std::string(kOutputIsInputText));
      return kExitRefused;
    }
    const TextFileInspection info = InspectTextFile(input);
    if (const std::optional<Notice> refusal = InputFileRefusal(info.status)) {
      Say(*refusal);
      return kExitRefused;
    }
    docx = Extension(input) == "docx";
    if (docx && !IsDocxFile(input)) {
      Say("Warning", NotADocxText(input));
      return kExitRefused;
    }
    if (!docx) {
      if (unicode) utf16 = Utf16ByteOrder(input, info);
      const bool accepted = utf16 != 0 || TextFileAccepted(input, info, false);
      detectedUtf8 = info.sample.utf8;
      if (settings.ignoreCommonWords == 1 && !namedBySettings) {
        const std::string ofLanguage = LoadLanguageCommonWords(input, commonWords, unicode);
        ignoreCommon = !ofLanguage.empty() || named;
        if (ignoreCommon && !named) commonWordsFile = ofLanguage;
      }
      if (!accepted) return kExitRefused;
      utf8 = o.utf8.value_or(detectedUtf8);
    }
  }
  if (named && !LoadNamedCommonWords(*named, commonWords, unicode)) return kExitRefused;
  settings.ignoreCommonWords = ignoreCommon ? 1 : 0;

  if (utf8 && settings.only7bitAscii == 1 && !unicode) {
    Say(SevenBitOnlyConflict(false));
    return kExitUsage;
  }
  IgnoreList wordsToIgnore;
  if (!TakeWordsToIgnore(settings, wordsToIgnore, unicode)) return kExitRefused;
  if (o.countsOut && !fromStdin && SameFile(input, *o.countsOut)) {
    Say("Warning", std::string(kOutputIsInputText));
    return kExitRefused;
  }
  if (!OutputsWritable(o)) return kExitRefused;

  const auto start = std::chrono::steady_clock::now();
  const std::int64_t inputSize = fromStdin ? static_cast<std::int64_t>(clipboard.size()) : FileLength(input);
  ProgressLine progress(::isatty(STDERR_FILENO) == 1 && inputSize > (1 << 20));
  std::unique_ptr<LineSource> source;
  std::vector<std::string> pieces;
  if (fromStdin) {
    if (!ClipboardTextAccepted(clipboard)) return kExitRefused;
    auto text = std::make_unique<ClipboardTextSource>(clipboard, settings.caseSignificant != 1);
    text->SetUnicode(unicode);
    source = std::move(text);
  } else if (docx) {
    if (!ReadDocx(input, pieces, progress, unicode)) return kExitRefused;
    source = std::make_unique<DocxTextSource>(pieces);
  } else {
    if (o.utf8 && *o.utf8 != detectedUtf8 && utf16 == 0) Say("UTF-8 or ANSI file?", Utf8OrAnsiQuestion(detectedUtf8));
    if (utf16 != 0) {
      source = std::make_unique<Utf16FileSource>(input, utf16 == 2);
    } else {
      auto file = std::make_unique<TextFileSource>(input, utf8);
      file->SetUnicode(unicode);
      source = std::move(file);
    }
  }
  const std::string procedure = fromStdin ? "DoItFromClipboard" : "DoItFromFile";
  if (!source->status().Ok()) {
    Report(RunError::FromStatus(source->status()), procedure);
    return kExitRefused;
  }
  const CountLists lists{&wordsToIgnore, &commonWords};
  const scan::MarkupKind markup = fromStdin ? scan::MarkupKind{"", false} : scan::MarkupKindFor(Extension(input));
  CountRules rules = CountRulesFromSettings(settings, lists, markup);
  if (o.occurrences) return PrintOccurrences(o, *source, rules, input);
  Counter counter;
  counter.Start(rules);
  if (settings.showFilesColumn == 1 || o.countsOut) counter.TrackFiles();
  if (o.threads == 1) counter.SetSplitMinUnits(0);
  if (const Status status = counter.Read(*source, progress); !status.Ok()) {
    progress.Clear();
    Report(RunError::FromStatus(status), procedure);
    if (!fromStdin) Fail("the count is incomplete: " + input + " could not be read to its end; nothing was listed");
    return kExitRefused;
  }
  if (o.explain) return PrintExplanation(o, rules, commonWordsFile, counter.Words());
  Counted counted = CountedOf(counter, rules, !wordsToIgnore.Empty() || ignoreCommon);
  counted.header.filesCounted = 1;
  return Finish(counted, counter.Rules(), settings, o, start, progress);
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
  std::fflush(stderr);
  return status;
}
