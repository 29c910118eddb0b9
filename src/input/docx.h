#pragma once
// DOCX input: the body part word/document.xml is taken out of the package
// into a temporary folder (KWL001 .. KWL999 in the system's temporary
// folder), its text runs become a list of text pieces (Session::docxPieces),
// and the file source writes them to a text file and scans that file.
#include <cstdint>
#include <string>
#include <vector>

namespace kwl {
struct Session;

// Extracts word/document.xml below a new temporary folder (strDocxTempFolder,
// ending with "/"). The size of the extracted XML in bytes, or: -1 no
// temporary folder; -2 the package failed its checksum and the user declined
// to scan it; -4 the XML is too large (the folder is removed); -5 the XML is
// large and the user declined (the folder is removed).
std::int64_t ExtractXMLFileFromDocXFile(Session& s, const std::string& docxPath, const std::string& folderPrefix);

// Reads the extracted XML, deletes it, and extracts its text pieces into
// Session::docxPieces; size receives the total length of the pieces. The
// empty string, or the description of a failure.
std::string GetLineFromXMLFile(Session& s, bool reportDeleteFailures, std::string& text, std::int64_t& size,
                               bool keepPieces, bool keepFolder);

// Removes strDocxTempFolder with everything in it; false when that failed.
bool DeleteTempFolder(Session& s);

// Writes the pieces to a Windows-1252 text file: each piece as it is, with a
// line end (CR LF) after a piece that ends with "." (trailing blanks aside).
// Throws RunError on failure.
void WriteDocxPieces(const std::vector<std::string>& pieces, const std::string& path);

}  // namespace kwl
