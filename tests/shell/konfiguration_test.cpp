// The memory configuration page from the menu, and the budget it hands on.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/kvspiel.h"
#include "shell/kv.h"
#include "support/harness.h"

namespace {

// Menu item 8; `tasten` pushes the keys on the page; `pruefe` looks at the
// page once they are used up; end of input then closes page and program.
void seite(Harness& h, const std::function<void(VirtualConsole&)>& tasten,
           const std::function<void()>& pruefe = {}) {
  bool geprueft = false;
  h.vc.on_wait = [&](VirtualConsole&) {
    if (geprueft) return;
    geprueft = true;
    if (pruefe) pruefe();
  };
  h.vc.push_keys("d8");
  tasten(h.vc);
  h.run();
  EXPECT_TRUE(geprueft);
}

TEST(Konfiguration, PageMarksTheCurrentChoice) {
  Harness h;
  seite(
      h, [](VirtualConsole&) {},
      [&] {
        EXPECT_EQ(h.row(2).substr(0, 51), "                            ***  Konfiguration  ***");
        EXPECT_EQ(h.row(11), " " + std::string(78, '_') + " ");
        EXPECT_EQ(h.text(1, 17, 19), "  1 ( ):   1 MiB   ");
        EXPECT_EQ(h.attr(20, 17), HERVORHEBUNGSFARBE);
        EXPECT_EQ(h.attr(19, 17), STANDARDFARBE);
        EXPECT_EQ(h.text(1, 24, 16), "  8 (*):   2 GiB");
        EXPECT_EQ(h.attr(3, 24), HERVORHEBUNGSFARBE);
        EXPECT_EQ(h.attr(16, 24), HERVORHEBUNGSFARBE);
        EXPECT_EQ(h.attr(17, 24), STANDARDFARBE);
        EXPECT_EQ(WHEREX(), 3);
        EXPECT_EQ(WHEREY(), 24);
      });
}

TEST(Konfiguration, ArrowsWrapRound) {
  Harness h;
  seite(
      h, [](VirtualConsole& vc) { vc.push_ext(80); },  // Down on 8
      [&] {
        EXPECT_EQ(SPEICHERWAHL, 1);
        EXPECT_EQ(h.text(1, 17, 16), "  1 (*):   1 MiB");
        EXPECT_EQ(h.text(1, 24, 16), "  8 ( ):   2 GiB");
        EXPECT_EQ(h.attr(3, 24), STANDARDFARBE);
        EXPECT_EQ(WHEREY(), 17);
      });
  Harness h2;
  seite(
      h2,
      [](VirtualConsole& vc) {
        vc.push_keys("1");
        vc.push_ext(152);  // Alt+Up on 1
        vc.push_ext(141);  // Ctrl+Up
        vc.push_ext(145);  // Ctrl+Down
        vc.push_ext(160);  // Alt+Down
        vc.push_ext(72);   // Up
      },
      [&] { EXPECT_EQ(SPEICHERWAHL, 8); });
}

TEST(Konfiguration, OtherKeysChangeNothing) {
  Harness h;
  seite(
      h,
      [](VirtualConsole& vc) {
        vc.push_keys("90x ");
        vc.push_ext(75);
      },
      [&] {
        EXPECT_EQ(SPEICHERWAHL, 8);
        EXPECT_EQ(h.text(1, 24, 16), "  8 (*):   2 GiB");
      });
}

TEST(Konfiguration, ChoiceIsSavedOnEsc) {
  Harness h;
  h.vc.push_keys("d83");
  h.vc.push_key(27);
  h.vc.push_keys("9");
  h.run();
  ASSERT_EQ(h.read_file().size(), 80u);
  EXPECT_EQ(h.read_file()[4], 3);
}

TEST(Konfiguration, NewBudgetReachesTheNextGameFromTheMenu) {
  Harness h;
  bool geprueft = false;
  h.vc.on_wait = [&](VirtualConsole&) {
    if (geprueft) return;
    geprueft = true;
    EXPECT_EQ(h.text(70, 2, 7), "  1 MiB");
    EXPECT_EQ(h.text(35, 8, 2), "36");
    EXPECT_EQ(h.text(40, 8, 2), "24");
    EXPECT_EQ(MEMAVAIL_ORB, SPEICHERBUDGET[1]);
  };
  h.vc.push_keys("e81\r5");
  h.run();
  EXPECT_TRUE(geprueft);
  EXPECT_EQ(h.read_file()[4], 1);
}

}  // namespace
