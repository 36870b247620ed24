#include <gtest/gtest.h>

#include "editor/views/panes/COutputBar.h"

// The jump from a diagnostic line to its page and object is the main frame's: it is
// tested on the real editor (tests/editor/shell/path).

namespace {

TEST(OutputPane, ProgressGoesToTheTailOfTheLastLine)
{
    COutputBar bar;
    bar.AppendText(QStringLiteral("Compiling   7 %"), 0);
    bar.ShowProgress(u" 42 %");
    EXPECT_EQ(bar.Text(), QStringLiteral("Compiling  42 %"));
}

} // namespace
