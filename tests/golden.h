// Golden reports: a report's text is compared line by line with its file under tests/golden/.
// The files change only through scripts/update-golden.sh, which runs the tests with
// BRASKET_UPDATE_GOLDEN=1 so that each comparison rewrites its file instead; read the
// changed lines (git diff tests/golden) before committing them.
#pragma once
#include <string>

namespace brasket {
struct ReportBuffer;
}

namespace brasket::testing {

// The report as the "File" export writes it (header lines, a blank line, the pages with
// form feeds, CR LF line ends).
std::string reporttext(const ReportBuffer& rb);

// Compares text with tests/golden/<name>; the first differing line is told by number.
void expectgolden(const std::string& name, const std::string& text);

}  // namespace brasket::testing
