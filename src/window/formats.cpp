#include "formats.h"

#include <algorithm>
#include <string_view>

#include "listing/output_file.h"
#include "progress.h"
#include "session.h"
#include "text/cp1252.h"
#include "text/number_text.h"

namespace kwl {
namespace {

std::string_view TrimView(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string_view TrimRightView(std::string_view text) {
  const auto last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

int Digits(std::int64_t n) { return static_cast<int>(std::to_string(n).size()); }

// Right-aligned in width (a longer value is kept whole, never cut).
void AppendRight(std::string& out, std::string_view value, int width) {
  if (static_cast<int>(value.size()) < width) out.append(static_cast<std::size_t>(width) - value.size(), ' ');
  out.append(value);
}

void AppendLeft(std::string& out, std::string_view value, int width) {
  out.append(value);
  if (static_cast<int>(value.size()) < width) out.append(static_cast<std::size_t>(width) - value.size(), ' ');
}

// The word of entry i (trimmed), or the heading's "Word".
std::string_view WordValue(const Session& s, std::int32_t i) {
  return i == 0 ? std::string_view("Word") : TrimView(s.aWords[i].strWord);
}

void AppendRank(std::string& out, const Session& s, std::int32_t i) {
  if (i == 0) {
    AppendRight(out, "Rank", s.run.intRankWidth);
  } else {
    AppendRight(out, std::to_string(s.aWords[i].lngFreqRank), s.run.intRankWidth);
  }
}

void AppendFrequency(std::string& out, const Session& s, std::int32_t i) {
  if (i == 0) {
    AppendRight(out, "Freq", s.run.intFreqWidth);
  } else {
    AppendRight(out, std::to_string(s.aWords[i].lngCount), s.run.intFreqWidth);
  }
}

// The word column: padded to intWordWidth; in the comma layout of the formats
// where another column follows it, the word and ", " instead.
void AppendWord(std::string& out, const Session& s, std::int32_t i, int format, bool commas) {
  const std::string_view word = WordValue(s, i);
  if (commas && (format == 1 || format == 6 || format == 7)) {
    out.append(word);
    out.append(", ");
  } else {
    AppendLeft(out, word, s.run.intWordWidth);
  }
}

// The word column as the last one of the line: its trailing blanks removed.
void AppendLastWord(std::string& out, const Session& s, std::int32_t i) {
  std::string padded;
  AppendLeft(padded, WordValue(s, i), s.run.intWordWidth);
  out.append(TrimRightView(padded));
}

void BuildLine(std::string& out, const Session& s, std::int32_t i) {
  const int format = DisplayFormat(s);
  const bool commas = CommaLayout(s);
  const std::string_view lead = commas ? "  " : " ";
  const std::string_view sep = commas ? ",  " : "  ";
  switch (format) {
    case 0:
      out.append(lead);
      AppendRank(out, s, i);
      out.append(sep);
      AppendFrequency(out, s, i);
      out.append(sep);
      AppendLastWord(out, s, i);
      break;
    case 1:
      out.append(lead);
      AppendRank(out, s, i);
      out.append(sep);
      AppendWord(out, s, i, format, commas);
      if (!commas) out.append("  ");
      AppendFrequency(out, s, i);
      break;
    case 2:
      out.append(lead);
      AppendRank(out, s, i);
      out.append(sep);
      AppendFrequency(out, s, i);
      break;
    case 3:
      out.append(lead);
      AppendRank(out, s, i);
      out.append(sep);
      AppendLastWord(out, s, i);
      break;
    case 4:
      out.append(lead);
      AppendFrequency(out, s, i);
      out.append(sep);
      AppendRank(out, s, i);
      break;
    case 5:
      out.append("  ");
      AppendFrequency(out, s, i);
      out.append(sep);
      AppendLastWord(out, s, i);
      break;
    case 6:
    case 7:
      out.append("  ");
      AppendWord(out, s, i, format, commas);
      if (!commas) out.append(" ");
      if (format == 6) {
        AppendRank(out, s, i);
      } else {
        AppendFrequency(out, s, i);
      }
      break;
    default:  // 8 and 9: the word alone
      out.append(WordValue(s, i));
      break;
  }
  if (i == 0 && (format == 0 || format == 3 || format == 5 || format == 8)) {
    out.resize(TrimRightView(out).size());
    out += " (longest has" + Str(s.run.intMaxWordLengthFound) + " characters)";
  }
}

}  // namespace

int DisplayFormat(const Session& s) {
  const int format = s.main.cboDisplayFormat.ListIndex();
  return format >= 0 && format <= 9 ? format : 0;
}

bool CommaLayout(const Session& s) {
  return s.params.chkOutputWithCommas.Value() == 1 && s.run.blnWritingToFile;
}

std::string FormatRank(const Session& s, std::int32_t i) {
  std::string out;
  AppendRank(out, s, i);
  return out;
}

std::string FormatFrequency(const Session& s, std::int32_t i) {
  std::string out;
  AppendFrequency(out, s, i);
  return out;
}

std::string FormatWord(const Session& s, std::int32_t i) {
  std::string out;
  AppendWord(out, s, i, DisplayFormat(s), CommaLayout(s));
  return out;
}

std::string FormatLine(const Session& s, std::int32_t i) {
  std::string out;
  BuildLine(out, s, i);
  return out;
}

void SetColumnWidths(Session& s, ListingPass& pass) {
  RunState& r = s.run;
  r.intRankWidth = std::max(Digits(r.lngNumWordsIncluded), r.intMinWidth);
  r.intFreqWidth = std::max(Digits(r.lngMaxFrequency), r.intMinWidth);
  r.intWordWidth = std::max(r.intMaxWordLengthFound, r.intMinWidth);
  std::string none;
  DisplayNextLine(s, pass, 0, none);
}

void DisplayNextLine(Session& s, ListingPass& pass, std::int32_t lngI, std::string& strOutput) {
  const int format = DisplayFormat(s);
  if (format == 9 && lngI == 0) return;
  if (lngI != 0) ++pass.delivered;

  if (s.run.blnWritingToFile && pass.file) {
    if (format == 9) {
      // The whole list on one line: a separator after every word but the last.
      pass.file->Write(WordValue(s, lngI));
      if (pass.delivered < s.run.lngNumWordsIncluded) pass.file->Write(", ");
    } else {
      std::string& line = pass.line;
      line.clear();
      BuildLine(line, s, lngI);
      pass.file->WriteLine(format == 8 ? TrimView(line) : std::string_view(line));
    }
    return;
  }

  if (format == 9) {
    strOutput += cp1252::ToUtf8(WordValue(s, lngI));
    strOutput += ", ";
  } else {
    std::string line;
    BuildLine(line, s, lngI);
    const std::string text = cp1252::ToUtf8(format == 8 ? TrimView(line) : std::string_view(line));
    if (lngI == 0) {
      s.main.txbOutput.Append(text + "\r\n");
    } else {
      strOutput += text;
      strOutput += "\r\n";
    }
  }
  s.main.lblTwirler.SetCaption(TwirlerText(s, lngI));
  s.main.lblTwirler.Repaint();
}

}  // namespace kwl
