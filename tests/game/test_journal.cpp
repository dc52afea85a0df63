// Session journals as bytes: what the encoder writes the reader gives back, frame for frame, and
// whatever else it is given it refuses with a reason or reads as cut short.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "JournalEncoder.h"
#include "JournalReader.h"
#include "SessionPlay.h"

namespace {

JournalHeader Header() {
  JournalHeader h;
  h.gameVersion = "1.0";
  h.windowWidth = 800;
  h.windowHeight = 600;
  h.fullScreen = true;
  h.startState = -7;
  h.digestFields = {{"state", 1}, {"scene hash", 3}};
  return h;
}

JournalFrame Frame(std::initializer_list<int> keys, int x, int y, double time,
                   std::vector<long long> digest = {0, 0}, std::vector<unsigned> seeds = {}) {
  JournalFrame f;
  for (int key : keys) f.keys.set(key);
  f.cursorX = x;
  f.cursorY = y;
  f.frameTime = time;
  f.digest = digest;
  f.seeds = seeds;
  return f;
}

struct Encoded {
  std::string bytes;
  std::vector<std::size_t> frameEnds;  // offset just past each frame record
};

Encoded Encode(const std::vector<JournalFrame>& frames, bool end = true) {
  JournalEncoder encoder(Header());
  Encoded e{encoder.HeaderBytes(), {}};
  for (const JournalFrame& f : frames) {
    e.bytes += encoder.Frame(f);
    e.frameEnds.push_back(e.bytes.size());
  }
  if (end) e.bytes += encoder.End();
  return e;
}

std::vector<JournalFrame> ReadAll(const std::string& bytes, JournalReader::Step* last, std::string* why) {
  JournalHeader header;
  return session_play::ReadJournal(bytes, &header, last, why);
}

void ExpectSame(const JournalFrame& want, const JournalFrame& got, std::size_t i) {
  EXPECT_EQ(want.keys, got.keys) << "frame " << i;
  EXPECT_EQ(std::vector<int>({want.cursorX, want.cursorY, want.cursorDeltaX, want.cursorDeltaY}),
            std::vector<int>({got.cursorX, got.cursorY, got.cursorDeltaX, got.cursorDeltaY}))
      << "frame " << i;
  EXPECT_EQ(0, std::memcmp(&want.frameTime, &got.frameTime, sizeof(double))) << "frame " << i;
  EXPECT_EQ(want.seeds, got.seeds) << "frame " << i;
}

/* A session's worth of edge values: keys 1 and 255, a cursor far outside the window with a
 * reported delta that is not the movement, whole and fractional nanoseconds, the largest
 * frame time, seeds at both ends, digest values that wrap. */
std::vector<JournalFrame> Session() {
  std::vector<JournalFrame> frames = {
      Frame({1, 87}, 400, 300, 1.0 / 60.0, {4, 99}, {0u, 0xFFFFFFFFu}),
      Frame({1, 87}, 400, 300, 1.0 / 60.0, {4, 99}),
      Frame({255}, -kJournalMaxCursor, kJournalMaxCursor, 0.0, {LLONG_MIN, 5}),
      Frame({}, 0, 0, 1e-10, {LLONG_MAX, 6}, {12345u}),
      Frame({2, 4, 122}, 799, 599, kJournalMaxFrameTime, {-1, -2}),
      Frame({}, 10, 10, 0.016683117),
  };
  for (JournalFrame& f : frames) f.cursorDeltaX = f.cursorDeltaY = 0;
  frames[0].cursorDeltaX = 400, frames[0].cursorDeltaY = 300;
  frames[2].cursorDeltaX = 3;  // a full-screen delta, truncated differently from the movement
  frames[2].cursorDeltaY = kJournalMaxCursor;
  frames[3].cursorDeltaX = kJournalMaxCursor, frames[3].cursorDeltaY = -kJournalMaxCursor;
  frames[4].cursorDeltaX = 799, frames[4].cursorDeltaY = 599;
  frames[5].cursorDeltaX = -789, frames[5].cursorDeltaY = -589;
  return frames;
}

TEST(Journal, EveryFrameComesBackAsEncodedAndTheDigestKeepsItsDueValues) {
  const std::vector<JournalFrame> frames = Session();
  const Encoded e = Encode(frames);
  JournalReader reader(e.bytes);
  JournalHeader header;
  std::string why;
  ASSERT_TRUE(reader.ReadHeader(&header, &why)) << why;
  EXPECT_TRUE(header.gameVersion == "1.0" && header.windowWidth == 800 && header.windowHeight == 600 &&
              header.fullScreen && header.startState == -7);
  ASSERT_EQ(header.digestFields.size(), 2u);
  EXPECT_TRUE(header.digestFields[1].name == "scene hash" && header.digestFields[1].every == 3);
  // The scene hash is kept in frames 0 and 3 only; in between it reads as last kept.
  const std::vector<std::vector<long long>> digests = {{4, 99}, {4, 99}, {LLONG_MIN, 99},
                                                       {LLONG_MAX, 6}, {-1, 6}, {0, 6}};
  JournalFrame f;
  for (std::size_t i = 0; i < frames.size(); ++i) {
    ASSERT_EQ(reader.Next(&f, &why), JournalReader::kFrame) << why;
    ExpectSame(frames[i], f, i);
    EXPECT_EQ(f.digest, digests[i]) << "frame " << i;
  }
  EXPECT_EQ(reader.Next(&f, &why), JournalReader::kEnd);
  EXPECT_EQ(reader.Next(&f, &why), JournalReader::kEnd) << "it keeps saying so";
  EXPECT_EQ(reader.FramesRead(), 6);
}

TEST(Journal, EveryCutReadsAsTheWholeFramesBeforeItAndNeverAsDamage) {
  const Encoded e = Encode(Session());
  const std::size_t headerSize = JournalEncoder(Header()).HeaderBytes().size();
  for (std::size_t size = headerSize; size < e.bytes.size(); ++size) {
    JournalReader::Step last;
    std::string why;
    const auto frames = ReadAll(e.bytes.substr(0, size), &last, &why);
    std::size_t whole = 0;
    while (whole < e.frameEnds.size() && e.frameEnds[whole] <= size) ++whole;
    EXPECT_EQ(last, JournalReader::kCut) << size << ": " << why;
    EXPECT_EQ(frames.size(), whole) << size;
    const bool atBoundary = size == headerSize || (whole > 0 && e.frameEnds[whole - 1] == size);
    const std::string says = whole == 0 ? (atBoundary ? "it stops before its first frame"
                                                       : "it stops inside its first frame")
                             : atBoundary ? "it stops after frame " + std::to_string(whole) + " without its end record"
                                          : "it stops after frame " + std::to_string(whole) + ", inside the record of the next";
    EXPECT_EQ(why, says) << size;
  }
  JournalHeader header;
  JournalReader::Summary summary;
  std::string why;
  ASSERT_TRUE(JournalReader::Check(e.bytes.substr(0, e.frameEnds[2] + 1), &header, &summary, &why)) << why;
  EXPECT_TRUE(summary.frames == 3 && !summary.ended) << summary.frames;
  EXPECT_EQ(summary.cutReason, "it stops after frame 3, inside the record of the next");
  ASSERT_TRUE(JournalReader::Check(e.bytes, &header, &summary, &why));
  EXPECT_TRUE(summary.frames == 6 && summary.ended && summary.cutReason.empty());
}

/* A header's bytes with byte `at` changed to `to`. Byte 9 is the length of the game version
 * "1.0", then come the width, the height and the full-screen flag. */
std::string HeaderWith(std::size_t at, char to) {
  std::string bytes = JournalEncoder(Header()).HeaderBytes();
  bytes[at] = to;
  return bytes;
}

TEST(Journal, AHeaderThatIsMissingForeignNewerCutOrDamagedIsRefusedWithItsReason) {
  const std::string good = JournalEncoder(Header()).HeaderBytes();
  std::vector<std::pair<std::string, std::string>> cases = {
      {"", "the file is empty"},
      {"SORCAJN", "it is not a Sorca journal"},
      {"\x89PNG\r\n\x1a\n" + good, "it is not a Sorca journal"},
      {HeaderWith(8, 2), "it is a journal of version 2; this Sorca reads version 1"},
      {std::string("SORCAJNL\x80\x01", 10), "it is a journal of version 128; this Sorca reads version 1"},
      {HeaderWith(13, 0), "its header is damaged (the window size)"},
      {HeaderWith(17, 2), "its header is damaged (the full-screen flag)"},
      {HeaderWith(10, '\n'), "its header is damaged (the game version)"},
      {good, "accepted"},
  };
  const std::string cut = "its header is cut off (at ";  // and what it was reading
  for (std::size_t size = 8; size < good.size(); ++size) cases.push_back({good.substr(0, size), cut});
  for (const auto& c : cases) {
    JournalReader reader(c.first);
    JournalHeader header;
    std::string why;
    const std::string said = reader.ReadHeader(&header, &why) ? "accepted" : why;
    EXPECT_EQ(c.second == cut ? said.substr(0, cut.size()) : said, c.second) << c.first.size() << " bytes";
  }
}

TEST(Journal, ARecordThatIsNoRecordIsRefusedWithWhereAndWhat) {
  const std::string header = JournalEncoder(Header()).HeaderBytes();
  const std::string idle(1, '\0');
  const struct { std::string record; const char* what; } cases[] = {
      {"\x80", "an unknown record type"},
      {std::string("\x01\x02\x57\x41", 4), "the keys"},   // not ascending
      {std::string("\x01\x01\x00", 3), "the keys"},       // key 0 names no key
      {std::string("\x01\x00", 2), "the keys"},           // a change of no key
      {std::string("\x18\x02", 2), "two kinds of frame time"},
      {std::string("\x08\x01", 2), "the frame time"},     // before the first nanosecond
      {std::string("\x10\x00\x00\x00\x00\x00\x00\xf8\x7f", 9), "the frame time"},  // not a number
      {std::string("\x02\x80\x80\x80\x20\x00", 6), "the cursor"},  // past 2^24 pixels
      {std::string("\x20\x00", 2), "the clock seeds"},
      {std::string("\x20\x01\x80\x80\x80\x80\x10", 7), "the clock seeds"},  // 33 bits
      {std::string("\x40\x01\x02\x02", 4), "the state digest"},  // field 2 of 2
      {std::string("\x40\x02\x00\x02\x00\x02", 6), "the state digest"},  // field 0 twice
      {std::string("\x40\x01\x01\x02", 4), "the state digest"},  // the scene hash is not due in frame 2
      {std::string("\x40\x01\x00\xff\xff\xff\xff\xff\xff\xff\xff\xff\x7f", 13), "the state digest"},
      {std::string("\xff\x05", 2), "the frame count of the end record"},
      {std::string("\xff\x01\x00", 3), "bytes follow the end record"},
  };
  for (const auto& c : cases) {
    JournalReader::Step last;
    std::string why;
    const auto frames = ReadAll(header + idle + c.record, &last, &why);
    EXPECT_EQ(last, JournalReader::kBad) << c.what;
    EXPECT_EQ(frames.size(), 1u) << c.what;
    EXPECT_EQ(why, "the record after frame 1 (byte " + std::to_string(header.size() + 1) +
                       ") is damaged: " + c.what);
    JournalHeader h;
    JournalReader::Summary summary;
    EXPECT_FALSE(JournalReader::Check(header + idle + c.record + idle, &h, &summary, &why)) << c.what;
  }
}

}  // namespace
