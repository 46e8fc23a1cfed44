#include "PdfDocument.hpp"

#include <fmt/format.h>

namespace kelda::server {
namespace {

std::string pdfText(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '(' || c == ')' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c >= ' ' && c <= '~') {
      out += c;
    } else {
      out += '?';
    }
  }
  return out;
}

}  // namespace

std::string pdfDocument(const std::string& title, const std::vector<std::string>& lines) {
  std::string content = fmt::format("BT /F1 20 Tf 72 720 Td ({}) Tj ET\n", pdfText(title));
  int y = 690;
  for (const auto& line : lines) {
    content += fmt::format("BT /F1 12 Tf 72 {} Td ({}) Tj ET\n", y, pdfText(line));
    y -= 18;
  }
  const std::vector<std::string> objects{
      "<< /Type /Catalog /Pages 2 0 R >>",
      "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
      "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R "
      "/Resources << /Font << /F1 5 0 R >> >> >>",
      fmt::format("<< /Length {} >>\nstream\n{}endstream", content.size(), content),
      "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
  };
  std::string pdf = "%PDF-1.4\n";
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(pdf.size());
    pdf += fmt::format("{} 0 obj\n{}\nendobj\n", i + 1, objects[i]);
  }
  const std::size_t xref = pdf.size();
  pdf += fmt::format("xref\n0 {}\n0000000000 65535 f \n", objects.size() + 1);
  for (std::size_t offset : offsets) pdf += fmt::format("{:010} 00000 n \n", offset);
  pdf += fmt::format("trailer\n<< /Size {} /Root 1 0 R >>\nstartxref\n{}\n%%EOF\n",
                     objects.size() + 1, xref);
  return pdf;
}

}  // namespace kelda::server
