#pragma once
// DOCX input, the window's side: the body part word/document.xml is taken
// out of the package (sources/docx_text.h) into a temporary folder (KWL001 ..
// KWL999 inside a private folder of the system's temporary folder) with the
// checksum and size questions asked here, its text runs become a list of
// text pieces (Session::docxPieces) with the Stop command, the echo and the
// progress bar of a large document, and the file source reads the pieces'
// lines (DocxTextSource).
#include <cstdint>
#include <string>
#include <vector>

#include "count/limits.h"
namespace kwl {
struct Session;

// A new folder prefix + "001" .. "999", with a trailing "/", inside a new
// private folder (mkdtemp, mode 0700) of the system's temporary folder
// ($TMPDIR, else /tmp); both are made with mode 0700, and the private folder
// is registered for removal on a signal and at exit (support/temp_cleanup.h).
// Empty when they could not be made.
std::string CreateTempFolder(const std::string& prefix);

// The sizes of a body part that ask the question (above warn) and that are
// refused (above max); smaller ones keep a fuzz run fast.
struct DocxSizeLimits {
  std::int64_t warn = kDocxWarnSize;
  std::int64_t max = kDocxMaxSize;
};

// Extracts word/document.xml below a new temporary folder (strDocxTempFolder,
// ending with "/"). The size of the extracted XML in bytes, or: -1 no
// temporary folder; -2 the package failed its checksum and the user declined
// to scan it (the folder is removed); -4 the XML is larger than limits.max (the folder
// is removed); -5 the XML is larger than limits.warn and the user declined (the folder is removed).
// A package that is not a readable zip file or has no word/document.xml
// throws RunError (53 no document body, 321 not a readable package), with no
// folder left behind.
std::int64_t ExtractXMLFileFromDocXFile(Session& s, const std::string& docxPath, const std::string& folderPrefix,
                                        const DocxSizeLimits& limits = {});

// Reads the extracted XML, deletes it, and extracts its text pieces into
// Session::docxPieces; size receives the total length of the pieces. The
// empty string, or the description of a failure.
std::string GetLineFromXMLFile(Session& s, bool reportDeleteFailures, std::string& text, std::int64_t& size,
                               bool keepPieces, bool keepFolder);

// Takes the text pieces out of the XML (from the 1-based position start) into
// pieces, in document order. On entry size holds the XML size (above 1024000
// the pieces are echoed in txbOutput); on return the total length of the
// pieces. The number of pieces; 0 when the user stopped the extraction.
std::int32_t ExtractDelimitedSubstringsXML(Session& s, const std::string& xml, std::int64_t start,
                                           std::vector<std::string>& pieces, std::int64_t& size);

// Deletes strDocxXMLFilepath, then the "word" folder, then (unless
// keepFolder) the temporary folder and its private folder; failures are
// shown only when asked.
void DeleteXMLFile(Session& s, bool reportFailures, bool keepFolder);

// Removes strDocxTempFolder with everything in it, and its private folder,
// and forgets the path; false when that failed.
bool DeleteTempFolder(Session& s);

}  // namespace kwl
