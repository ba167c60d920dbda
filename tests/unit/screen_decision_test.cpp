// Which offer the window opens with, for the brands' install states, the
// uninstall option and the two versions.
#include <gtest/gtest.h>

#include "ui/screens.h"
#include "ui/ui_state.h"

namespace kavadesk {
namespace {

TEST(ScreenDecisionTest, Table) {
  struct Row {
    const char* name;
    int tarvex;
    int obrint;
    bool uninstallMode;
    const wchar_t* server;
    const wchar_t* installed;
    int state;
    InstallerScreen screen;
  };
  const Row rows[] = {
      {"clean machine", 5, 5, false, L"5.1.0.0", L"", OfferInstall, InstallerScreen::InstallWelcome},
      {"clean machine, -uninstall", 5, 5, true, L"5.1.0.0", L"", OfferInstall, InstallerScreen::InstallWelcome},
      {"begun, never completed", 1, 5, false, L"5.1.0.0", L"5.1.0.0", OfferReinstall,
       InstallerScreen::IncompleteInstall},
      {"state 0 is not complete", 0, 5, false, L"5.1.0.0", L"5.1.0.0", OfferReinstall,
       InstallerScreen::IncompleteInstall},
      {"only Obrint, complete and equal", 5, 3, false, L"5.1.0.0", L"5.1.0.0", OfferUninstall,
       InstallerScreen::UninstallWelcome},
      {"Tarvex begun wins over Obrint complete", 1, 3, false, L"5.1.0.0", L"5.1.0.0", OfferReinstall,
       InstallerScreen::IncompleteInstall},
      {"same version", 3, 5, false, L"5.1.0.0", L"5.1.0.0", OfferUninstall, InstallerScreen::UninstallWelcome},
      {"-uninstall with an older version", 3, 5, true, L"5.1.0.0", L"4.0", OfferUninstall,
       InstallerScreen::UninstallWelcome},
      {"equal by value, not by text", 3, 5, false, L"5.1.0.0", L"5.1", OfferReinstall,
       InstallerScreen::OlderVersionInstalled},
      {"no version recorded", 3, 5, false, L"5.1.0.0", L"", OfferReinstall, InstallerScreen::OlderVersionInstalled},
      {"older installed", 3, 5, false, L"5.1.0.0", L"5.0.9.9", OfferReinstall,
       InstallerScreen::OlderVersionInstalled},
      {"newer installed", 3, 5, false, L"5.1.0.0", L"5.2.0.0", Done, InstallerScreen::NewerVersionInstalled},
      {"component by value: 10 after 9", 3, 5, false, L"5.10", L"5.9", OfferReinstall,
       InstallerScreen::OlderVersionInstalled},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const ScreenDecision decision =
        DecideOffer(row.tarvex, row.obrint, row.uninstallMode, VersionString(row.server), VersionString(row.installed));
    EXPECT_EQ(decision.State, row.state);
    EXPECT_EQ(static_cast<int>(decision.Screen), static_cast<int>(row.screen));
  }
}

}  // namespace
}  // namespace kavadesk
