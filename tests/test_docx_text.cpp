// The text pieces of a document body and the text made of them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "docx.h"
#include "sources/docx_text.h"
#include "session.h"
#include "support/test_files.h"

namespace kwl {
namespace {

using Pieces = std::vector<std::string>;

Pieces Extract(Session& s, const std::string& xml, std::int32_t* count = nullptr) {
  Pieces pieces{"left over"};
  std::int64_t size = static_cast<std::int64_t>(xml.size());
  const std::int32_t n = ExtractDelimitedSubstringsXML(s, xml, 1, pieces, size);
  if (count) *count = n;
  return pieces;
}

TEST(DocxText, TextRunsBecomePiecesAsTheWorkedExamplesShow) {
  struct Case {
    const char* what;
    std::string xml;
    Pieces pieces;
  };
  const Case cases[] = {
      {"no text run at all", "<w:body><w:p/></w:body>", {""}},
      {"consecutive runs stay as they are",
       "<w:p><w:r><w:t>Hello</w:t></w:r><w:r><w:t xml:space=\"preserve\"> world</w:t></w:r></w:p>",
       {"Hello", " world"}},
      {"a paragraph end before the next run adds a blank",
       "<w:p><w:r><w:t>end</w:t></w:r></w:p><w:p><w:r><w:t>next</w:t></w:r></w:p>", {"end ", "next"}},
      {"a line break before the next run adds a blank", "<w:r><w:t>one</w:t><w:br/><w:t>two</w:t></w:r>",
       {"one ", "two"}},
      {"no blank after the last run", "<w:p><w:r><w:t>last</w:t></w:r></w:p>", {"last"}},
      {"a paragraph end after the next run does not count", "<w:t>a</w:t><w:t>b</w:t></w:p>", {"a", "b"}},
      {"tab, table and cell elements are skipped",
       "<w:tbl><w:tr><w:tc><w:tcPr/><w:p><w:r><w:t>cell</w:t></w:r></w:p></w:tc></w:tr></w:tbl>"
       "<w:p><w:r><w:tab/><w:t>after</w:t></w:r></w:p>",
       {"cell ", "after"}},
      {"a self-closing text element is no run", "<w:t/><w:t>x</w:t>", {"x"}},
      {"an empty run is one blank", "<w:t></w:t><w:t xml:space=\"preserve\">   </w:t>", {" ", " "}},
      {"&amp; is replaced first, then &lt; and &gt;", "<w:t>&amp;lt;</w:t><w:t>a &amp;amp; b &gt;</w:t>",
       {"<", "a &amp; b >"}},
      {"two-byte UTF-8 and typographic quotes are repaired", "<w:t>caf\xC3\xA9 it\xE2\x80\x99s</w:t>",
       {"caf\xE9 it's"}},
      {"a run without its end tag ends the extraction", "<w:t>one</w:t><w:t>two", {"one"}},
  };
  for (const auto& c : cases) {
    test::TestSession ts;
    std::int32_t count = -1;
    const Pieces pieces = Extract(ts.session, c.xml, &count);
    EXPECT_EQ(pieces, c.pieces) << c.what;
    EXPECT_EQ(count, c.pieces.size() == 1 && c.pieces[0].empty() ? 0 : static_cast<std::int32_t>(c.pieces.size()))
        << c.what;
  }
}

TEST(DocxText, SizeReturnsTheTotalLengthOfThePieces) {
  test::TestSession ts;
  Pieces pieces;
  std::int64_t size = 5;
  const std::string xml = "<w:t>ab</w:t></w:p><w:t>cde</w:t>";
  EXPECT_EQ(ExtractDelimitedSubstringsXML(ts.session, xml, 1, pieces, size), 2);
  EXPECT_EQ(size, 3 + 3);  // "ab " and "cde"
}

TEST(DocxText, ExtractionStartsAtTheGivenPosition) {
  test::TestSession ts;
  Pieces pieces;
  std::int64_t size = 0;
  const std::string xml = "<w:t>skip</w:t><w:t>take</w:t>";
  ExtractDelimitedSubstringsXML(ts.session, xml, 14, pieces, size);
  EXPECT_EQ(pieces, Pieces{"take"});
}

TEST(DocxText, ManyTabsBetweenRunsLoseNoText) {
  test::TestSession ts;
  std::string xml = "<w:t>first</w:t>";
  for (int i = 0; i < 50000; ++i) xml += "<w:r><w:tab/></w:r>";
  xml += "<w:t>second</w:t>";
  EXPECT_EQ(Extract(ts.session, xml), (Pieces{"first", "second"}));
}

TEST(DocxText, StopEndsAtOnceEarlyInTheRunAndAsksLater) {
  const std::string xml = "<w:t>a</w:t><w:t>b</w:t><w:t>c</w:t>";
  struct Case {
    std::int64_t seconds;
    std::vector<Answer> answers;
    std::int32_t count;
    Pieces pieces;
    bool asked;
    bool stopStays;
  };
  const Case cases[] = {
      {9, {}, 0, {"a"}, false, true},
      {10, {Answer::Yes}, 0, {"a"}, true, true},
      {10, {Answer::No}, 3, {"a", "b", "c"}, true, false},
  };
  for (const auto& c : cases) {
    test::TestSession ts;
    Session& s = ts.session;
    s.run.lngSecondsElapsed = c.seconds;
    for (Answer a : c.answers) ts.platform.answers.push_back(a);
    // The Stop command arrives once, while the first run is handled.
    bool clicked = false;
    ts.platform.onProcessEvents = [&] {
      if (!clicked) s.run.blnStop = true;
      clicked = true;
    };
    Pieces pieces;
    std::int64_t size = 0;
    EXPECT_EQ(ExtractDelimitedSubstringsXML(s, xml, 1, pieces, size), c.count) << c.seconds;
    EXPECT_EQ(pieces, c.pieces) << c.seconds;
    EXPECT_EQ(ts.platform.Showed("Many different words have been found.\r\nDo you really wish to stop?"), c.asked);
    EXPECT_EQ(s.run.blnStop, c.stopStays);
    if (!c.stopStays) {
      // No goes on with the elapsed time running again.
      EXPECT_TRUE(s.main.Timer2.Enabled());
      EXPECT_TRUE(s.run.blnElapsedTimeRunning);
    }
    ts.platform.onProcessEvents = nullptr;
  }
}

TEST(DocxText, LargeDocumentsEchoEveryTwentiethPiece) {
  test::TestSession ts;
  std::string xml;
  for (int i = 1; i <= 420; ++i) xml += "<w:t>p" + std::to_string(i) + "</w:t>";
  Pieces pieces;
  std::int64_t size = 1024001;
  ts.session.main.txbOutput.SetText("before");
  ExtractDelimitedSubstringsXML(ts.session, xml, 1, pieces, size);
  EXPECT_EQ(ts.session.main.txbOutput.Text(), "p400\r\np420\r\n") << "cleared at the 400th piece";

  test::TestSession small;
  size = 1024000;
  small.session.main.txbOutput.SetText("before");
  ExtractDelimitedSubstringsXML(small.session, xml, 1, pieces, size);
  EXPECT_EQ(small.session.main.txbOutput.Text(), "before") << "no echo up to 1024000 bytes";
}

TEST(DocxText, LargeDocumentsDrawTheProgressBarFromTheSearchPosition) {
  test::TestSession ts;
  const std::string xml = std::string(1000000, ' ') + "<w:t>a</w:t><w:t>b</w:t>";
  Pieces pieces;
  std::int64_t size = 0;
  std::vector<std::string> captions;
  ts.session.main.lblTotalNumOccurrences.onRepaint = [&] {
    captions.push_back(ts.session.main.lblTotalNumOccurrences.Caption());
  };
  ExtractDelimitedSubstringsXML(ts.session, xml, 1, pieces, size);
  ASSERT_EQ(captions.size(), 2U);
  EXPECT_EQ(captions[0], "[>" + std::string(37, ' ') + "]");
  EXPECT_EQ(captions[1], "[" + std::string(36, '-') + ">]");

  test::TestSession small;
  small.session.main.lblTotalNumOccurrences.SetCaption("unchanged");
  ExtractDelimitedSubstringsXML(small.session, "<w:t>a</w:t>", 1, pieces, size);
  EXPECT_EQ(small.session.main.lblTotalNumOccurrences.Caption(), "unchanged");
}

TEST(DocxText, PiecesEndingWithAFullStopEndALine) {
  EXPECT_EQ(DocxTextOf({"Hello", " world", " Ends here.  ", "Next", ".", " ", "caf\xE9."}),
            "Hello world Ends here.  \r\nNext.\r\n caf\xE9.\r\n");
  EXPECT_EQ(DocxTextOf({""}), "");
}

}  // namespace
}  // namespace kwl
