// Any bytes as a session journal, as a player might send one. The reader must never touch memory
// it does not own (the sanitizers watch that) and must refuse with a reason, or read frames that
// the game can take: values in range, one digest value per field. Whatever it reads, written
// again, reads back as the same frames.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "JournalEncoder.h"
#include "JournalReader.h"

static void Require(bool holds) {
  if (!holds) std::abort();
}

static void CheckFrame(const JournalFrame& f, const JournalHeader& header) {
  Require(!f.keys.test(0));
  for (int v : {f.cursorX, f.cursorY, f.cursorDeltaX, f.cursorDeltaY})
    Require(v >= -kJournalMaxCursor && v <= kJournalMaxCursor);
  Require(std::isfinite(f.frameTime) && f.frameTime >= 0.0 && f.frameTime <= kJournalMaxFrameTime);
  Require(f.seeds.size() <= kJournalMaxSeedsPerFrame);
  Require(f.digest.size() == header.digestFields.size());
}

static bool SameFrame(const JournalFrame& a, const JournalFrame& b) {
  return a.keys == b.keys && a.cursorX == b.cursorX && a.cursorY == b.cursorY &&
         a.cursorDeltaX == b.cursorDeltaX && a.cursorDeltaY == b.cursorDeltaY &&
         a.frameTime == b.frameTime && a.seeds == b.seeds && a.digest == b.digest;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  JournalReader reader(bytes);
  JournalHeader header;
  std::string why;
  if (!reader.ReadHeader(&header, &why)) {
    Require(!why.empty());
    return 0;
  }
  Require(header.windowWidth >= 1 && header.windowHeight >= 1);
  Require(header.digestFields.size() <= kJournalMaxDigestFields);
  std::vector<JournalFrame> frames;
  JournalFrame frame;
  JournalReader::Step step;
  while ((step = reader.Next(&frame, &why)) == JournalReader::kFrame) {
    CheckFrame(frame, header);
    frames.push_back(frame);
  }
  Require(step == JournalReader::kEnd ? why.empty() : !why.empty());
  Require(reader.FramesRead() == static_cast<long long>(frames.size()));

  JournalHeader summaryHeader;
  JournalReader::Summary summary;
  std::string checkWhy;
  Require(JournalReader::Check(bytes, &summaryHeader, &summary, &checkWhy) == (step != JournalReader::kBad));
  if (step == JournalReader::kBad) return 0;
  Require(summary.frames == static_cast<long long>(frames.size()) && summary.ended == (step == JournalReader::kEnd));

  JournalEncoder encoder(header);
  std::string again = encoder.HeaderBytes();
  for (const JournalFrame& f : frames) again += encoder.Frame(f);
  again += encoder.End();
  JournalReader back(again);
  JournalHeader backHeader;
  Require(back.ReadHeader(&backHeader, &why));
  Require(backHeader.gameVersion == header.gameVersion && backHeader.startState == header.startState &&
          backHeader.digestFields.size() == header.digestFields.size());
  for (const JournalFrame& f : frames) Require(back.Next(&frame, &why) == JournalReader::kFrame && SameFrame(f, frame));
  Require(back.Next(&frame, &why) == JournalReader::kEnd);
  return 0;
}
