#pragma once
// Comments, markup tags and character entities (Windows-1252 text).
#include <array>
#include <string>
#include <string_view>

namespace kwl::scan {

// The comment-marker slots in force: slot n holds a start and an end marker;
// an empty end marker means the comment ends with the line.
struct CommentMarkers {
  std::array<std::string, 10> strCommentStart{};
  std::array<std::string, 10> strCommentEnd{};
  int intNumCommentMarkers = 0;

  // Fills the slots for "C", "XML", "HTML" or "PHP"; any other kind changes nothing.
  void SetCommentMarkers(std::string_view kind);
  // The clipboard's set-up: slots 0 and 1 emptied, no marker in force.
  void Clear();
};

// The markup kind for a lower-cased file extension: "PHP", "XML", "HTML"
// (any extension containing "htm") or "C"; entities are decoded for PHP and HTML.
struct MarkupKind {
  std::string_view kind;
  bool characterEntities;
};
MarkupKind MarkupKindFor(std::string_view extension);

// 0 when text does not begin with a character entity, otherwise 1 for "&#"
// or the 1-based position of its ";".
int IsEntityAt(std::string_view text);

// Replaces the named entities of the table (and &quot;) by their characters,
// in the line itself.
void ReplaceEntities(std::string& line);
// The same in a line of UTF-8 text, the characters written in UTF-8.
void ReplaceEntitiesUtf8(std::string& line);

// Turns "--" used as a dash into two blanks, leaving "<!--", "-->" and a "--"
// at position 1 or 2 alone. The line keeps its length.
void SplitDoubleHyphens(std::string& line);

}  // namespace kwl::scan
