// CheckReportShape: tells whether a report file is laid out the way the report run writes
// it, whatever its names are. Tests that cannot know a report's exact content (runs
// against a repository whose calls fail, repositories generated in bulk) use it to check
// that every part of the file is still well formed.
#ifndef IVARSCAN_APP_TESTING_REPORT_SHAPE_H_
#define IVARSCAN_APP_TESTING_REPORT_SHAPE_H_

#include <string>
#include <string_view>

namespace ivarscan {

// Checks `report` line by line, with the texts and widths of engine/text_report.h (whose
// exact bytes the report cases check): the header; then application blocks, each a heading, a
// rule of "=" as wide as kApplicationRuleWidth, class blocks (Class, App naming the heading's
// application, Module, Inherits from, at most one missing-parent or cyclic-inheritance line, an
// empty line, the section line, detail lines, two empty lines; a block without a missing-parent or
// cyclic line has at least one detail line), the "none" line and an empty line when there is no
// class block and the block was not cancelled, and the cancelled line only at the very
// end. Every line ends in CR LF. Returns empty text when the report is well formed, else
// what is wrong and on which line (counted from 1).
std::string CheckReportShape(std::string_view report);

}  // namespace ivarscan

#endif  // IVARSCAN_APP_TESTING_REPORT_SHAPE_H_
