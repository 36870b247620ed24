#pragma once
// The options dialog: "Options", one page customising the quick access bar, with the
// categories "Popular Commands", "Commands not in the Ribbon" and "All Commands".

#include <memory>

class CRibbonBar;
class CRibbonCustomizeDialog;
class QWidget;

class CRibbonOptions {
public:
    // The dialog over bar's commands; not shown yet.
    static std::unique_ptr<CRibbonCustomizeDialog> MakeDialog(CRibbonBar& bar, QWidget* parent);
    // Runs it; OK applies the chosen quick access commands.
    static void ShowOptions(CRibbonBar& bar, QWidget* parent);
};
