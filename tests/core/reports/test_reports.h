#pragma once

#include <QObject>

// The status report in test_statusreport.cpp; print settings, the notes report and the all-policies
// print in test_notesreport.cpp.
class TestReports : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Status report.
    void allSafeguardsTablesInOrder_data();
    void allSafeguardsTablesInOrder();
    void tableRowsRowByRow_data();
    void tableRowsRowByRow();
    void ruledLinesAndVerticalRules_data();
    void ruledLinesAndVerticalRules();
    void tablesStayWholeOnAPage_data();
    void tablesStayWholeOnAPage();
    void legendAndFooter_data();
    void legendAndFooter();
    void nothingTickedLeavesNoPages();
    void tickRules_data();
    void tickRules();
    void onlyTechnical();
    void statusTextTrimmedAndCentred();
    void textAndLineColours();
    void printedFooterText_data();
    void printedFooterText();

    // Print settings.
    void printerFontRules_data();
    void printerFontRules();
    void printableFaces_data();
    void printableFaces();
    void beginReportAppliesTheSettings();
    void settingsFontRoundTrip();

    // Notes and policies.
    void ruleBlockJoinsTheTickedPanes_data();
    void ruleBlockJoinsTheTickedPanes();
    void ruleBlockFormatAndEmphasis();
    void notesReportOrder();
    void blankPanesLeaveNoHeading();
    void tickRefusals_data();
    void tickRefusals();
    void policiesHeadingNearTheBottomStartsANewPage();
    void singleDocumentWithinTheMargins();
    void allPoliciesOnePerPage();
    void allPoliciesWithNothingStored();
};
