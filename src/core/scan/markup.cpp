#include "scan/markup.h"

#include <cstring>
#include <unordered_map>

#include "scan/char_rules.h"
#include "text/cp1252.h"

namespace kwl::scan {

void CommentMarkers::SetCommentMarkers(std::string_view kind) {
  struct Pair { const char* start; const char* end; };
  auto fill = [this](std::initializer_list<Pair> pairs) {
    int n = 0;
    for (const Pair& p : pairs) {
      strCommentStart[static_cast<std::size_t>(n)] = p.start;
      strCommentEnd[static_cast<std::size_t>(n)] = p.end;
      ++n;
    }
    intNumCommentMarkers = n;
  };
  if (kind == "C") {
    fill({{"/*", "*/"}, {"//", ""}});
  } else if (kind == "XML") {
    fill({{"<?xml", "?>"}, {"<!--", "-->"}, {"<", ">"}});
  } else if (kind == "HTML") {
    fill({{"&", ";"}, {"<script", "/script>"}, {"<style", "/style>"}, {"<!--", "-->"}, {"<", ">"}});
  } else if (kind == "PHP") {
    fill({{"&", ";"}, {"<script", "/script>"}, {"<style", "/style>"}, {"<!--", "-->"},
          {"<?php", "?>"}, {"<", ">"}, {"/*", "*/"}, {"//", ""}});
  }
}

void CommentMarkers::Clear() {
  for (std::size_t i = 0; i < 2; ++i) {
    strCommentStart[i].clear();
    strCommentEnd[i].clear();
  }
  intNumCommentMarkers = 0;
}

MarkupKind MarkupKindFor(std::string_view ext) {
  if (ext == "php") return {"PHP", true};
  if (ext == "xml") return {"XML", false};
  if (ext.find("htm") != std::string_view::npos) return {"HTML", true};
  return {"C", false};
}

int IsEntityAt(std::string_view text) {
  if (text.size() <= 3) return 0;
  if (text[0] == '&' && text[1] == '#') return 1;
  if (text[0] != '&') return 0;
  // The ";" must come within 20 characters and with no blank before it.
  for (std::size_t i = 1; i < text.size() && i < 20; ++i) {
    if (text[i] == ' ') return 0;
    if (text[i] == ';') {
      const auto second = static_cast<unsigned char>(text[1]);
      return (IsLetterCode(second) || second == '#') ? static_cast<int>(i + 1) : 0;
    }
  }
  return 0;
}

namespace {

// The entity table, entity and replacement character (Windows-1252).
const std::unordered_map<std::string_view, char>& Entities() {
  static const std::unordered_map<std::string_view, char> table = {
      {"&copy;", '\xA9'},   {"&amp;", '&'},        {"&nbsp;", ' '},      {"&#160;", ' '},
      {"&#8212;", '\x97'},  {"&AElig;", '\xC6'},   {"&Aacute;", '\xC1'}, {"&Acirc;", '\xC2'},
      {"&Agrave;", '\xC0'}, {"&Aring;", '\xC5'},   {"&Atilde;", '\xC3'}, {"&Auml;", '\xC4'},
      {"&Ccedil;", '\xC7'}, {"&ETH;", '\xD0'},     {"&Eacute;", '\xC9'}, {"&Ecirc;", '\xCA'},
      {"&Egrave;", '\xC8'}, {"&Euml;", '\xCB'},    {"&Iacute;", '\xCD'}, {"&Icirc;", '\xCE'},
      {"&Igrave;", '\xCC'}, {"&Iuml;", '\xCF'},    {"&Ntilde;", '\xD1'}, {"&Oacute;", '\xD3'},
      {"&Ocirc;", '\xD4'},  {"&Ograve;", '\xD2'},  {"&Oslash;", '\xD8'}, {"&Otilde;", '\xD5'},
      {"&Ouml;", '\xD6'},   {"&THORN;", '\xDE'},   {"&Uacute;", '\xDA'}, {"&Ucirc;", '\xDB'},
      {"&Ugrave;", '\xD9'}, {"&Uuml;", '\xDC'},    {"&Yacute;", '\xDD'}, {"&aacute;", '\xE1'},
      {"&acirc;", '\xE2'},  {"&aelig;", '\xE6'},   {"&agrave;", '\xE0'}, {"&aring;", '\xE5'},
      {"&atilde;", '\xE3'}, {"&auml;", '\xE4'},    {"&ccedil;", '\xE7'}, {"&eacute;", '\xE9'},
      {"&ecirc;", '\xEA'},  {"&egrave;", '\xE8'},  {"&eth;", '\xF0'},    {"&euml;", '\xEB'},
      {"&iacute;", '\xED'}, {"&icirc;", '\xEE'},   {"&igrave;", '\xEC'}, {"&iuml;", '\xEF'},
      {"&ntilde;", '\xF1'}, {"&oacute;", '\xF3'},  {"&ocirc;", '\xF4'},  {"&ograve;", '\xF2'},
      {"&oslash;", '\xF8'}, {"&otilde;", '\xF5'},  {"&ouml;", '\xF6'},   {"&szlig;", '\xDF'},
      {"&thorn;", '\xFE'},  {"&uacute;", '\xFA'},  {"&ucirc;", '\xFB'},  {"&ugrave;", '\xF9'},
      {"&uuml;", '\xFC'},   {"&yacute;", '\xFD'},  {"&yuml;", '\xFF'},   {"&quot;", '"'},
  };
  return table;
}

}  // namespace

namespace {

// Both forms of the replacement: the entity's character as one
// Windows-1252 byte, or as its UTF-8 bytes (at most three, never more than
// the entity it replaces).
void ReplaceEntitiesAs(std::string& line, bool utf8) {
  // One pass from left to right: each "&" up to the next ";" is looked up;
  // a replacement resumes the search just after the replaced character,
  // an unknown piece is kept whole and the search resumes after its ";".
  // Nothing becomes longer, so the result is written over the line as it is
  // read.
  const auto& table = Entities();
  char* const data = line.data();
  std::size_t w = 0;
  std::size_t a = 0;
  std::string encoded;
  while (true) {
    const std::size_t b = line.find('&', a);
    if (b == std::string::npos) break;
    const std::size_t e = line.find(';', b);
    if (e == std::string::npos) break;
    std::memmove(data + w, data + a, b - a);
    w += b - a;
    const auto it = table.find(std::string_view(data + b, e - b + 1));
    if (it == table.end()) {
      std::memmove(data + w, data + b, e - b + 1);
      w += e - b + 1;
    } else if (utf8) {
      encoded = cp1252::ToUtf8(std::string_view(&it->second, 1));
      std::memcpy(data + w, encoded.data(), encoded.size());
      w += encoded.size();
    } else {
      data[w++] = it->second;
    }
    a = e + 1;
  }
  std::memmove(data + w, data + a, line.size() - a);
  line.resize(w + line.size() - a);
}

}  // namespace

void ReplaceEntities(std::string& line) { ReplaceEntitiesAs(line, false); }

void ReplaceEntitiesUtf8(std::string& line) { ReplaceEntitiesAs(line, true); }

void SplitDoubleHyphens(std::string& line) {
  std::size_t a = 0;
  while (true) {
    const std::size_t b = line.find("--", a);
    if (b == std::string::npos) return;
    a = b + 2;
    if (b < 2) continue;
    if (line.compare(b - 2, 4, "<!--") == 0) continue;
    if (line.compare(b, 3, "-->") == 0) continue;
    line[b] = ' ';
    line[b + 1] = ' ';
  }
}

}  // namespace kwl::scan
