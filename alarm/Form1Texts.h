#pragma once
// The long texts of the main window.
#include <string>

namespace dz {

// The host part of the web site address ("www.example.org").
std::string WebSiteHost();

std::string AuthorNoteCaption();    // Label14: eight lines and a closing line break
std::string FreeSoftwareCaption();  // Label15: eight lines, the host last
std::string InstructionsCaption();  // Label16: eighteen lines
std::string TipsCaption();          // Label19: nine lines
std::string WebSiteLinkCaption();   // LblURL

// A one-paragraph rich-text document: the product name in bold yellow
// 10 points, `gap` spaces, the description in regular aqua 8 points; it ends
// with a zero byte.
std::string ProductDocument(const std::string& product, int gap, const std::string& description);
std::string RTFLabel1Document();
std::string RTFLabel2Document();

}  // namespace dz
