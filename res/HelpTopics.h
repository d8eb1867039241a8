#pragma once
// The help file's topic pages by the dialog whose Help button opens them: one table for every
// Help button of the program. A dialog without a page of its own opens the overview.

struct HelpTopic {
    unsigned nTemplate; // dialog template id
    const char* pszPage;
};

// The overview, also opened by Help/Contents.
constexpr const char* kHelpContentsPage = "intro.htm";

// clang-format off
inline constexpr HelpTopic kHelpTopics[] = {
    {135, "Add2DGraph.htm"},          // Add 2D Graph
    {136, "NonlinearRegression.htm"}, // Select a Regression Model
    {140, "Analyze2DGraph.htm"},      // Analyze: one function
    {141, "Analyze2DGraph.htm"},      // Analyze: two curves
    {142, "Analyze2DGraph.htm"},      // Analyze: at a point
    {144, "UnitConverter.htm"},       // Unit Converter
    {148, "Statistics.htm"},          // two-sample tests
    {152, "NonlinearRegression.htm"}, // Initial Values
    {172, "MatrixOperations.htm"},    // Perform matrix operation
    {216, "Add3DGraph.htm"},          // Add 3D Graph
    {222, kHelpContentsPage},         // Results
    {249, "PlotCopy.htm"},            // Copy plot to clipboard
    {250, "FinanceBox.htm"},          // Finance Box
};
// clang-format on

// Index keywords that the program looks up (F1 in the finance box and its rate guess).
inline constexpr const char* kHelpKeywords[] = {"Finance Box", "RATE"};

// The page of a dialog template; the overview for a dialog without a page of its own.
constexpr const char* HelpTopicFor(unsigned nTemplate)
{
    for (const HelpTopic& topic : kHelpTopics)
        if (topic.nTemplate == nTemplate)
            return topic.pszPage;
    return kHelpContentsPage;
}
