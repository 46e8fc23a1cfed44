// PdfDocument: a minimal valid PDF 1.4 file of one letter-size page with lines of text in
// Helvetica (the savings-pass details). Pure function; any thread.
#pragma once

#include <string>
#include <vector>

namespace kelda::server {

// The PDF bytes of one page showing the title and then each line (printable ASCII; other
// characters are shown as "?").
std::string pdfDocument(const std::string& title, const std::vector<std::string>& lines);

}  // namespace kelda::server
