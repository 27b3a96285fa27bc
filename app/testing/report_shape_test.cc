#include "app/testing/report_shape.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/text_report.h"

namespace ivarscan {
namespace {

const std::string kRule = std::string(report_text::kApplicationRuleWidth, '=') + "\r\n";

std::string Block(const std::string& lines) { return TextReportHeader() + lines; }

TEST(ReportShapeTest, AcceptsEveryPartOfTheLayout) {
  const std::string report = Block(
      "Application: Orders\r\n" + kRule +
      "Class: OrderWindow\r\nApp: Orders\r\nModule: Screens\r\nInherits from: DataWindow\r\n"
      "\r\nDuplicate instance variables:\r\n"
      "oDCName also in DataWindow (WinLib-Base Windows)\r\n"
      "a occurs more than once in this class\r\n\r\n\r\n"
      "Class: Lost\r\nApp: Orders\r\nModule: \r\nInherits from: ghost\r\n"
      "** Could not find parent class GHOST **\r\n\r\nDuplicate instance variables:\r\n\r\n\r\n"
      "Application: \r\n" +
      kRule +
      "No classes with duplicate instance variables\r\n\r\n"
      "Application: Sales\r\n" +
      kRule + "!!!!! Processing cancelled !!!!!\r\n");
  EXPECT_EQ(CheckReportShape(report), "");
  EXPECT_EQ(CheckReportShape(TextReportHeader()), "");
}

TEST(ReportShapeTest, RejectsBrokenReports) {
  const std::string good_class =
      "Class: A\r\nApp: Orders\r\nModule: M\r\nInherits from: \r\n\r\n"
      "Duplicate instance variables:\r\nx occurs more than once in this class\r\n\r\n\r\n";
  struct Case {
    std::string report;
    const char* why;
  };
  const Case cases[] = {
      {"Classes with duplicate instance variables\r\n", "header cut short"},
      {Block("Application: Orders\r\n" + good_class), "no rule"},
      {Block("Application: Orders\r\n" + kRule), "no none line"},
      {Block("Application: Orders\r\n" + kRule + good_class +
             "No classes with duplicate instance variables\r\n\r\n"),
       "none line after a class block"},
      {Block("Application: Orders\r\n" + kRule +
             "Class: A\r\nApp: Sales\r\nModule: M\r\nInherits from: \r\n\r\n"
             "Duplicate instance variables:\r\nx occurs more than once in this class\r\n\r\n\r\n"),
       "App line names another application"},
      {Block("Application: Orders\r\n" + kRule +
             "Class: A\r\nApp: Orders\r\nModule: M\r\nInherits from: \r\n\r\n"
             "Duplicate instance variables:\r\n\r\n\r\n"),
       "class block with nothing to report"},
      {Block(
           "Application: Orders\r\n" + kRule +
           "Class: A\r\nApp: Orders\r\nModule: M\r\nInherits from: b\r\n"
           "** Could not find parent class b **\r\n\r\nDuplicate instance variables:\r\n\r\n\r\n"),
       "missing parent not in capitals"},
      {Block("Application: Orders\r\n" + kRule + good_class.substr(0, good_class.size() - 2)),
       "one empty line after the class block"},
      {Block("Application: Orders\r\n" + kRule + "!!!!! Processing cancelled !!!!!\r\n" +
             "Application: Sales\r\n" + kRule +
             "No classes with duplicate instance variables\r\n\r\n"),
       "cancelled line before another application"},
      {Block("Application: Orders\r\n" + kRule +
             "No classes with duplicate instance variables\r\n\r\n"
             "!!!!! Processing cancelled !!!!!\r\n"),
       "none line and cancelled line together"},
      {Block("Application: Orders\r\n" + kRule + good_class +
             "Class: B\r\nApp: Orders\r\nModule: M\r\nInherits from: \r\n\r\n"
             "Duplicate instance variables:\r\nx also in A\r\n\r\n\r\n"),
       "detail line without application and module"},
      {Block("Application: Orders\n" + kRule), "line feed alone"},
      {Block("Application: Orders\r\n" + std::string(report_text::kApplicationRuleWidth, '=')),
       "no CR LF at the end"},
  };
  for (const Case& c : cases) EXPECT_NE(CheckReportShape(c.report), "") << c.why;
}

TEST(ReportShapeTest, SaysWhereTheReportGoesWrong) {
  EXPECT_EQ(CheckReportShape(Block("Application: Orders\r\nnot a rule\r\n")),
            "line 7: expected \"" + std::string(report_text::kApplicationRuleWidth, '=') +
                "\": \"not a rule\"");
}

}  // namespace
}  // namespace ivarscan
