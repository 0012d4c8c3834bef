// The codebreaker's candidate store: its nodes and lists, the shuffle, the
// progress bar, aborts and failed allocations, and the memory it holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/raten_hilfe.h"
#include "support/harness.h"

namespace {

using namespace raten_test;

int sterne() {
  const std::string s = screen_row(25).substr(43, 12);
  return static_cast<int>(std::count(s.begin(), s.end(), '*'));
}

TEST(RatenSpeicher, TwoPositionsOverTwoSigns) {
  for (bool wdh : {true, false}) {
    HarnessOhneEingabeende h;
    bedingungen(2, '0', '1', wdh);
    ASSERT_TRUE(beginne());
    EXPECT_EQ(raten_knoten, 4u);
    const auto v = versuche();
    EXPECT_EQ(std::set<std::string>(v.begin(), v.end()),
              (std::set<std::string>{"00", "01", "10", "11"}));
    EXPECT_EQ(v.size(), 4u);
    EXPECT_EQ(SCHLUSSLICHT, raten_versuch(ZAHLGESAMTVERSUCHE - 1));
    const auto l = loesungen();
    const std::set<std::string> erwartet =
        wdh ? std::set<std::string>{"00", "01", "10", "11"} : std::set<std::string>{"01", "10"};
    EXPECT_EQ(std::set<std::string>(l.begin(), l.end()), erwartet);
    EXPECT_EQ(ERLAUBT, raten_pos_knoten(raten_loes_pos(0)));
  }
}

TEST(RatenSpeicher, VacantSignOverTwoSignsAtLengthFour) {
  HarnessOhneEingabeende h;
  bedingungen(4, '0', '1', true, true);
  ASSERT_TRUE(beginne());
  EXPECT_EQ(raten_knoten, 80u);
  const auto v = versuche();
  const std::set<std::string> alle(v.begin(), v.end());
  EXPECT_EQ(alle.size(), 80u);
  EXPECT_EQ(alle.count("****"), 0u);
  const auto l = loesungen();
  EXPECT_EQ(l.size(), 16u);
  for (const auto& s : l) EXPECT_EQ(s.find('*'), std::string::npos) << s;
}

TEST(RatenSpeicher, SolutionsFollowTheCreationChain) {
  // Newest node first: the node numbers fall along the solution list.
  HarnessOhneEingabeende h;
  bedingungen(3, '0', '4', false);
  ASSERT_TRUE(beginne());
  EXPECT_EQ(raten_loes_zahl, 60u);
  std::uint32_t vorher = UINT32_MAX;
  for (std::uint32_t i = 0; i < raten_loes_zahl; ++i) {
    const std::uint32_t k = raten_pos_knoten(raten_loes_pos(i));
    EXPECT_LT(k, vorher);
    EXPECT_EQ(raten_knoten_pos(k), raten_loes_pos(i));
    vorher = k;
  }
  EXPECT_EQ(VERSLOE, raten_knoten);
}

TEST(RatenSpeicher, ShuffleKeepsEveryNodeOnceInLongBuckets) {
  // Few buckets make long rings, past the saturation of the bucket counter.
  for (std::uint32_t eimer : {1u, 2u, 7u}) {
    HarnessOhneEingabeende h;
    raten_eimer = eimer;
    bedingungen(4, '0', '5', true);  // 1296 nodes
    ASSERT_TRUE(beginne());
    const auto v = versuche();
    EXPECT_EQ(v.size(), 1296u);
    EXPECT_EQ(std::set<std::string>(v.begin(), v.end()).size(), 1296u);
    EXPECT_EQ(raten_versuch(1295), SCHLUSSLICHT);
  }
}

// The trial order over a fixed seed: every node number along the list, folded
// into one value. The values are those of the ring insertion with its middle
// pointer; a faster shuffle must reproduce them node for node, including
// buckets far past the saturation of the bucket counter (few buckets).
std::uint64_t versuchsfolge() {
  std::uint64_t h = 1469598103934665603u;
  std::uint32_t zahl = 0, letzter = 0;
  for (std::uint32_t i = 0; i < ZAHLGESAMTVERSUCHE; ++i) {
    const std::uint32_t k = raten_versuch(i);
    h = (h ^ k) * 1099511628211u;
    ++zahl;
    letzter = k;
  }
  EXPECT_EQ(zahl, raten_knoten);
  EXPECT_EQ(letzter, SCHLUSSLICHT);
  return h;
}

TEST(RatenSpeicher, TrialListRingKeepsItsOrder) {
  // Moving a trial to the front and pruning, with the ring's start inside
  // the array: the order in the list is that of a plain sequence.
  HarnessOhneEingabeende h;
  bedingungen(3, '0', '4', true);  // 125 trials
  ASSERT_TRUE(beginne());
  raten_anfang = 100;
  raten_enden();
  std::vector<std::string> erwartet = versuche();
  for (std::uint32_t platz : {10u, 30u, 0u, 124u}) {  // before and past the end of the array
    std::rotate(erwartet.begin(), erwartet.begin() + platz, erwartet.begin() + platz + 1);
    raten_nach_vorn(platz);
    EXPECT_EQ(versuche(), erwartet);
  }
  // The played trial alone, after the start and before it in the array.
  for (std::uint32_t platz : {3u, 40u}) {
    const std::uint32_t stelle = raten_stelle(platz);
    erwartet.erase(erwartet.begin() + platz);
    EXPECT_TRUE(raten_folge_filtern(stelle, 0));
    EXPECT_EQ(versuche(), erwartet);
  }
  const std::uint32_t weg = raten_stelle(7);
  const std::string weg_code = erwartet[7];
  const char zeichen = '3';
  std::vector<std::string> bleibt;
  for (const auto& v : erwartet)
    if (v != weg_code && v.find(zeichen) == std::string::npos) bleibt.push_back(v);
  EXPECT_TRUE(raten_folge_filtern(weg, std::uint64_t{1} << (NRARRAY[zeichen] - 1)));
  EXPECT_EQ(versuche(), bleibt);
  EXPECT_EQ(ZAHLGESAMTVERSUCHE, bleibt.size());
  EXPECT_EQ(std::string(raten_pos_code(raten_knoten_pos(VERS)).z, 3), bleibt.front());
  EXPECT_EQ(std::string(raten_pos_code(raten_knoten_pos(SCHLUSSLICHT)).z, 3), bleibt.back());
}

TEST(RatenSpeicher, TrialOrderIsFixedBySeed) {
  struct Fall {
    std::uint32_t eimer;
    std::uint64_t saat;
    int l;
    char letztes;
    bool leer;
    std::uint64_t folge;
    bool wdh = true;
  };
  const Fall faelle[] = {
      {MISCHGROESSE, 1, 4, '5', false, 0x667d3d86a25dbec7u},
      {MISCHGROESSE, 2, 6, '9', false, 0x9e2681cded08a26fu},
      {MISCHGROESSE, 3, 5, '9', false, 0xfd01691157a0bd6du},
      {MISCHGROESSE, 4, 4, '1', true, 0x41dca61070c68e6bu},
      {1, 5, 4, '5', false, 0x966a5a98ba98392bu},
      {1, 6, 5, '5', false, 0x2df7f9dfd6767f8du},
      {2, 7, 4, '5', false, 0xb5e5ae57fe7f3831u},
      {7, 8, 5, '5', false, 0x506e8cd43dc05e79u},
      {300, 9, 5, '9', false, 0x2506a67cbcd73a99u},
      {1000, 10, 6, '9', false, 0xef87f737da94d3f1u},
      {20000, 11, 6, '9', false, 0x943afdf82794a487u},
      {3, 12, 2, '1', false, 0x62a9a1878dc56de5u},
      {3072, 13, 6, '9', false, 0xa487b56bca2d7263u},
      {4096, 14, 5, '9', true, 0xe2a84147a2e1a804u},
      {4096, 15, 5, 'a', false, 0xc37d4f8e53b4dbe7u, false},
  };
  // The build on one thread, and shared out among three (whatever the
  // store's size): the same lists.
  for (const Fall& f : faelle) {
    std::vector<std::string> loes[2];
    for (int geteilt = 0; geteilt < 2; ++geteilt) {
      HarnessOhneEingabeende h;
      raten_faeden = geteilt ? 3 : 1;
      raten_eimer = f.eimer;
      RANDOMIZE(f.saat);
      bedingungen(f.l, '0', f.letztes, f.wdh, f.leer);
      ASSERT_TRUE(beginne());
      const std::uint64_t folge = versuchsfolge();
      EXPECT_EQ(folge, f.folge) << f.eimer << ' ' << f.saat << ' ' << geteilt;
      loes[geteilt] = loesungen();
      EXPECT_EQ(arbeiter_laufend(), 0u);
    }
    EXPECT_EQ(loes[1], loes[0]) << f.eimer << ' ' << f.saat;
  }
}

TEST(RatenSpeicher, ShuffleIsUniform) {
  // Three nodes in one bucket: each of the six orders about equally often.
  HarnessOhneEingabeende h;
  std::map<std::string, int> zahl;
  const int laeufe = 3000;
  for (int i = 0; i < laeufe; ++i) {
    raten_eimer = 1;
    RANDOMIZE(static_cast<std::uint64_t>(i) + 100);
    bedingungen(1, '0', '2', true);
    ASSERT_TRUE(beginne());
    std::string folge;
    for (const auto& s : versuche()) folge += s;
    ++zahl[folge];
  }
  EXPECT_EQ(zahl.size(), 6u);
  for (const auto& [folge, n] : zahl) {
    EXPECT_GT(n, laeufe / 6 - 120) << folge;
    EXPECT_LT(n, laeufe / 6 + 120) << folge;
  }
}

TEST(RatenSpeicher, ProgressBarNeverShrinksNorPassesTen) {
  HarnessOhneEingabeende h;
  int zuletzt = 0, hoechstens = 0, rueckschritte = 0;
  h.vc.on_wait = [&](VirtualConsole&) {
    const int s = sterne();
    if (s < zuletzt) ++rueckschritte;
    zuletzt = s;
    hoechstens = std::max(hoechstens, s);
  };
  bedingungen(5, '0', '5', true);  // 7776 nodes, a poll every 256
  ASSERT_TRUE(beginne());
  EXPECT_EQ(rueckschritte, 0);
  EXPECT_LE(hoechstens, 10);
  EXPECT_EQ(sterne(), 10);
  EXPECT_EQ(ZAHL_DER_STERNE, 10u);
}

TEST(RatenSpeicher, ProgressStaysBoundedWhenTheNodeCountExceedsTheEstimate) {
  // One sign with the vacant sign: the build makes 2^4 - 1 nodes, the
  // conditions counted one.
  HarnessOhneEingabeende h;
  bedingungen(4, '0', '0', true, true);
  EXPECT_EQ(MEMRATE, 1u);
  ASSERT_TRUE(beginne());
  EXPECT_EQ(raten_knoten, 15u);
  EXPECT_LE(sterne(), 10);
  EXPECT_LE(QU_10_2, 10);
  EXPECT_EQ(ZAHLGESAMTVERSUCHE, 15u);
  const Zug z = zug();  // the only possible secret, at once
  EXPECT_EQ(z.code, "0000");
  EXPECT_EQ(z.p, 4);
}

TEST(RatenSpeicher, EscOnTheFirstNodeLeavesNothingAllocated) {
  for (unsigned char taste : {27, 3}) {
    Harness h;
    h.vc.push_key(taste);
    bedingungen(4, '0', '9', true);
    EXPECT_FALSE(beginne());
    EXPECT_FALSE(OK);
    EXPECT_EQ(A, 27);
    EXPECT_FALSE(ZEITEIN);
    EXPECT_FALSE(RATEN_ZEITANZEIGE);
    EXPECT_EQ(raten_belegt, 0u);
    EXPECT_EQ(raten_folge, nullptr);
    EXPECT_EQ(VERS, 0u);
    EXPECT_EQ(GERATENE_VERSUCHE, 0u);
  }
}

TEST(RatenSpeicher, EscLaterInTheBuildReleasesEverything) {
  Harness h;
  int polls = 0;
  h.vc.eof_when_empty = false;
  h.vc.on_wait = [&](VirtualConsole& vc) {
    if (++polls == 5) {
      vc.push_ext(59);  // an extended key is dropped
      vc.push_key('x');
      vc.push_key(27);
    }
  };
  bedingungen(5, '0', '9', true);
  EXPECT_FALSE(beginne());
  EXPECT_EQ(A, 27);
  EXPECT_GT(GERATENE_VERSUCHE, 256u);
  EXPECT_EQ(raten_belegt, 0u);
  EXPECT_EQ(raten_folge, nullptr);
  EXPECT_EQ(raten_loes, nullptr);
}

TEST(RatenSpeicher, JoinKeepsTheClockAndStopsOnEsc) {
  // 10^5 nodes: the join of the buckets polls between its long passes.
  for (bool esc : {false, true}) {
    HarnessOhneEingabeende h;
    int danach = 0;  // polls after the last node was drawn
    h.vc.on_wait = [&](VirtualConsole& vc) {
      if (GERATENE_VERSUCHE < 100000u) return;
      if (++danach == 1 && esc) vc.push_key(27);
    };
    bedingungen(5, '0', '9', true);
    EXPECT_EQ(beginne(), !esc);
    if (esc) {
      EXPECT_EQ(danach, 1);
      EXPECT_EQ(A, 27);
      EXPECT_FALSE(OK);
      EXPECT_EQ(raten_belegt, 0u);
      EXPECT_EQ(raten_folge, nullptr);
      EXPECT_EQ(VERS, 0u);
    } else {
      EXPECT_GE(danach, 4);  // two in the join, two after it
      versuchsfolge();       // every node once, ending at SCHLUSSLICHT
    }
  }
}

TEST(RatenSpeicher, FailedAllocationEndsLikeEsc) {
  for (int nummer = 0; nummer < 2; ++nummer) {
    HarnessOhneEingabeende h;
    raten_fehler_bei = nummer;
    bedingungen(4, '0', '9', true);
    EXPECT_FALSE(beginne()) << nummer;
    EXPECT_EQ(A, 27);
    EXPECT_FALSE(ZEITEIN);
    EXPECT_EQ(raten_belegt, 0u);
  }
}

// However much memory the machine has, a 32-bit process cannot hold a block
// beyond its address space: the store refuses it (a size cut to 32 bits
// would ask for 64 MiB and get them).
TEST(RatenSpeicher, ABlockBeyondA32BitAddressSpaceIsRefused) {
  HarnessOhneEingabeende h;
  h.vc.address_space_bytes = 0xFFFFFFFFu;
  EXPECT_EQ(raten_hole((std::uint64_t{4} << 30) + (64 << 20), 0), nullptr);
  EXPECT_EQ(raten_belegt, 0u);
}

TEST(RatenSpeicher, StaysWithinTheAdmittedMemory) {
  struct Fall {
    int l;
    char erstes, letztes;
    bool wdh, leer;
  };
  for (const Fall& f : {Fall{2, '0', '1', true, false}, Fall{2, '0', '0', true, false},
                        Fall{3, '0', '0', false, false}, Fall{4, '0', '1', true, true},
                        Fall{4, '0', '9', true, false}, Fall{4, '0', 'j', true, false},
                        Fall{3, '0', 'z', true, false}, Fall{6, '0', '9', false, false},
                        Fall{9, '0', '3', true, false}}) {
    HarnessOhneEingabeende h;
    bedingungen(f.l, f.erstes, f.letztes, f.wdh, f.leer);
    ASSERT_TRUE(beginne());
    EXPECT_LE(raten_belegt_max, static_cast<std::uint64_t>(SIZERATEN) * raten_knoten)
        << f.l << f.letztes;
    SPEICHER_FREIGEBEN(true);
    EXPECT_EQ(raten_belegt, 0u);
  }
}

}  // namespace
