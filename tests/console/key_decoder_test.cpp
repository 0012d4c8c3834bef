#include "console/key_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Codes = std::vector<int>;
constexpr std::int64_t kWait = KeyDecoder::kEscWaitUs;

void feed(KeyDecoder& d, const std::string& bytes, std::int64_t at) {
  for (char c : bytes) d.feed(static_cast<unsigned char>(c), at);
}

// Everything the decoder can deliver at the given time.
Codes drain(KeyDecoder& d, std::int64_t at) {
  Codes out;
  while (d.ready(at)) out.push_back(d.take());
  return out;
}

// The codes for a burst of bytes that arrives at once, without any pause.
Codes burst(const std::string& bytes) {
  KeyDecoder d;
  feed(d, bytes, 1000);
  return drain(d, 1000);
}

// The same burst after the pause that releases an incomplete sequence.
Codes burst_then_pause(const std::string& bytes) {
  KeyDecoder d;
  feed(d, bytes, 1000);
  return drain(d, 1000 + kWait);
}

const std::string E = "\x1b";

TEST(KeyDecoder, OrdinaryBytesPassThroughAndDelIsBackspace) {
  EXPECT_EQ(burst("a1Z\r\x03~ "), (Codes{'a', '1', 'Z', 13, 3, '~', ' '}));
  EXPECT_EQ(burst("\x7f"), Codes{8});
  EXPECT_EQ(burst("\x08"), Codes{8});
}

TEST(KeyDecoder, EscAloneOnlyAfterThePause) {
  KeyDecoder d;
  d.feed(27, 5000);
  EXPECT_FALSE(d.ready(5000));
  EXPECT_TRUE(d.waiting());
  EXPECT_EQ(d.deadline(), 5000 + kWait);
  EXPECT_FALSE(d.ready(5000 + kWait - 1));
  EXPECT_TRUE(d.ready(5000 + kWait));
  EXPECT_EQ(d.take(), 27);
  EXPECT_FALSE(d.ready(1000000));
  EXPECT_FALSE(d.waiting());
}

TEST(KeyDecoder, TwoEscKeysAreTwoEscs) {
  EXPECT_EQ(burst_then_pause(E + E), (Codes{27, 27}));
  EXPECT_EQ(burst_then_pause(E + E + E), (Codes{27, 27, 27}));
}

TEST(KeyDecoder, SequenceBytesWithinThePauseOfEachOtherFormOneKey) {
  KeyDecoder d;
  d.feed(27, 0);
  d.feed('[', kWait - 1);
  EXPECT_FALSE(d.ready(2 * kWait - 2));
  d.feed('A', 2 * kWait - 2);
  EXPECT_EQ(drain(d, 2 * kWait - 2), (Codes{0, 72}));
}

TEST(KeyDecoder, BytesAfterThePauseAreNoLongerPartOfTheSequence) {
  KeyDecoder d;
  d.feed(27, 0);
  EXPECT_EQ(drain(d, kWait), Codes{27});
  feed(d, "[A", kWait + 1);
  EXPECT_EQ(drain(d, kWait + 1), (Codes{'[', 'A'}));
}

struct Seq {
  std::string bytes;
  int code;
};

TEST(KeyDecoder, PlainKeysOfEveryTerminalKind) {
  const Seq seqs[] = {
      {"[A", 72},   {"[B", 80},   {"[C", 77},   {"[D", 75},   {"OA", 72},    {"OB", 80},
      {"OC", 77},   {"OD", 75},   {"[5~", 73},  {"[6~", 81},  {"[3~", 83},   {"[2~", 82},
      {"[H", 71},   {"[F", 79},   {"OH", 71},   {"OF", 79},   {"[1~", 71},   {"[4~", 79},
      {"[7~", 71},  {"[8~", 79},  {"OP", 59},   {"OQ", 60},   {"OR", 61},    {"OS", 62},
      {"[11~", 59}, {"[12~", 60}, {"[13~", 61}, {"[14~", 62}, {"[15~", 63},  {"[17~", 64},
      {"[18~", 65}, {"[19~", 66}, {"[20~", 67}, {"[21~", 68}, {"[23~", 133}, {"[24~", 134},
      {"[[A", 59},  {"[[B", 60},  {"[[C", 61},  {"[[D", 62},  {"[[E", 63},
  };
  for (const Seq& s : seqs) {
    SCOPED_TRACE("ESC " + s.bytes);
    EXPECT_EQ(burst(E + s.bytes), (Codes{0, s.code}));
    EXPECT_EQ(lookup_key_sequence(reinterpret_cast<const unsigned char*>((E + s.bytes).data()),
                                  static_cast<int>(s.bytes.size() + 1)),
              s.code);
  }
}

// The second code for each modifier parameter m = 2..8 (Shift, Alt, Shift+Alt,
// Ctrl, Ctrl+Shift, Ctrl+Alt, Ctrl+Alt+Shift).
struct ModKey {
  std::vector<std::string> forms;  // with "%" where m goes
  int by_m[7];
};

TEST(KeyDecoder, ModifierFormsForEveryParameter) {
  const ModKey keys[] = {
      {{"[1;%A"}, {72, 152, 152, 141, 141, 152, 152}},
      {{"[1;%B"}, {80, 160, 160, 145, 145, 160, 160}},
      {{"[1;%C"}, {77, 157, 157, 116, 116, 157, 157}},
      {{"[1;%D"}, {75, 155, 155, 115, 115, 155, 155}},
      {{"[1;%H", "[1;%~", "[7;%~"}, {71, 151, 151, 119, 119, 151, 151}},
      {{"[1;%F", "[4;%~", "[8;%~"}, {79, 159, 159, 117, 117, 159, 159}},
      {{"[5;%~"}, {73, 153, 153, 132, 132, 153, 153}},
      {{"[6;%~"}, {81, 161, 161, 118, 118, 161, 161}},
      {{"[3;%~"}, {83, 163, 163, 147, 147, 163, 163}},
      {{"[2;%~"}, {82, 162, 162, 146, 146, 162, 162}},
      {{"O1;%P", "[1;%P", "[11;%~"}, {84, 104, 104, 94, 94, 104, 104}},
      {{"O1;%Q", "[1;%Q", "[12;%~"}, {85, 105, 105, 95, 95, 105, 105}},
      {{"O1;%R", "[1;%R", "[13;%~"}, {86, 106, 106, 96, 96, 106, 106}},
      {{"O1;%S", "[1;%S", "[14;%~"}, {87, 107, 107, 97, 97, 107, 107}},
      {{"[15;%~"}, {88, 108, 108, 98, 98, 108, 108}},
      {{"[17;%~"}, {89, 109, 109, 99, 99, 109, 109}},
      {{"[18;%~"}, {90, 110, 110, 100, 100, 110, 110}},
      {{"[21;%~"}, {93, 113, 113, 103, 103, 113, 113}},
      {{"[23;%~"}, {135, 139, 139, 137, 137, 139, 139}},
      {{"[24;%~"}, {136, 140, 140, 138, 138, 140, 140}},
  };
  for (const ModKey& k : keys) {
    for (const std::string& form : k.forms) {
      for (int m = 2; m <= 8; ++m) {
        std::string seq = form;
        seq.replace(seq.find('%'), 1, std::to_string(m));
        SCOPED_TRACE("ESC " + seq);
        EXPECT_EQ(burst(E + seq), (Codes{0, k.by_m[m - 2]}));
      }
    }
  }
}

TEST(KeyDecoder, EscBeforeASequenceIsItsAltForm) {
  EXPECT_EQ(burst(E + E + "[A"), (Codes{0, 152}));
  EXPECT_EQ(burst(E + E + "OB"), (Codes{0, 160}));
  EXPECT_EQ(burst(E + E + "[D"), (Codes{0, 155}));
  EXPECT_EQ(burst(E + E + "OC"), (Codes{0, 157}));
  EXPECT_EQ(burst(E + E + "[5~"), (Codes{0, 153}));
  EXPECT_EQ(burst(E + E + "[6~"), (Codes{0, 161}));
  EXPECT_EQ(burst(E + E + "[3~"), (Codes{0, 163}));
  EXPECT_EQ(burst(E + E + "OP"), (Codes{0, 104}));
  EXPECT_EQ(burst(E + E + "[14~"), (Codes{0, 107}));
  EXPECT_EQ(burst(E + E + "[17~"), (Codes{0, 109}));
  EXPECT_EQ(burst(E + E + "[[A"), (Codes{0, 104}));
  // Combined with an xterm modifier: Alt decides.
  EXPECT_EQ(burst(E + E + "[1;5A"), (Codes{0, 152}));
  EXPECT_EQ(burst(E + E + "[6;2~"), (Codes{0, 161}));
}

TEST(KeyDecoder, UnknownSequencesComeByteByByte) {
  // F13 and a modifier beyond 8 are not in the table.
  EXPECT_EQ(burst(E + "[25~"), (Codes{27, '[', '2', '5', '~'}));
  EXPECT_EQ(burst(E + "[1;9A"), (Codes{27, '[', '1', ';', '9', 'A'}));
  EXPECT_EQ(burst(E + "[1;1A"), (Codes{27, '[', '1', ';', '1', 'A'}));
  // The old way of sending Alt with a letter, and Esc typed before a letter.
  EXPECT_EQ(burst(E + "x"), (Codes{27, 'x'}));
  EXPECT_EQ(burst(E + "\x7f"), (Codes{27, 8}));
  // An unknown sequence is followed by a known one.
  EXPECT_EQ(burst(E + "[99~" + E + "[B"), (Codes{27, '[', '9', '9', '~', 0, 80}));
  // Esc, then a known sequence.
  EXPECT_EQ(burst(E + E + E + "[C"), (Codes{27, 0, 157}));
}

TEST(KeyDecoder, InputEndingInsideASequenceIsReleasedByteByByte) {
  EXPECT_EQ(burst_then_pause(E + "[1;"), (Codes{27, '[', '1', ';'}));
  EXPECT_EQ(burst_then_pause(E + "O"), (Codes{27, 'O'}));
  EXPECT_EQ(burst_then_pause(E + E + "[2"), (Codes{27, 27, '[', '2'}));
  KeyDecoder d;
  feed(d, "q" + E + "[[", 0);
  EXPECT_EQ(drain(d, 0), Codes{'q'});
  d.finish();
  EXPECT_EQ(drain(d, 0), (Codes{27, '[', '['}));
  EXPECT_FALSE(d.waiting());
}

TEST(KeyDecoder, SecondCodeWaitsAndNothingIsLostOrRepeated) {
  KeyDecoder d;
  feed(d, E + "[A" + "q" + E + "[6~" + "\x7f" + E + "[1;5D" + "\r", 0);
  EXPECT_TRUE(d.queued());
  EXPECT_EQ(d.take(), 0);
  EXPECT_EQ(d.take(), 72);  // the second code on the next read
  EXPECT_EQ(d.take(), 'q');
  EXPECT_EQ(drain(d, 0), (Codes{0, 81, 8, 0, 115, 13}));
  EXPECT_FALSE(d.queued());
  EXPECT_EQ(d.take(), 0);  // nothing queued
}

TEST(KeyDecoder, LookupTellsPrefixesFromUnknownBytes) {
  auto look = [](const std::string& s) {
    return lookup_key_sequence(reinterpret_cast<const unsigned char*>(s.data()),
                               static_cast<int>(s.size()));
  };
  EXPECT_EQ(look(E), kSequencePrefix);
  EXPECT_EQ(look(E + "["), kSequencePrefix);
  EXPECT_EQ(look(E + "[1"), kSequencePrefix);
  EXPECT_EQ(look(E + "[1;8"), kSequencePrefix);
  EXPECT_EQ(look(E + E + "O1;"), kSequencePrefix);
  EXPECT_EQ(look(E + "[1;0"), kSequenceUnknown);
  EXPECT_EQ(look(E + "[9"), kSequenceUnknown);
  EXPECT_EQ(look(E + "a"), kSequenceUnknown);
  EXPECT_EQ(look(E + "[Z"), 15);
}

}  // namespace
