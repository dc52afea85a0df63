#include "JournalEncoder.h"

#include <cmath>
#include <cstring>

namespace {

const double kSecondsPerTick = 1.0 / 1e9;

void PutVarint(std::string* out, unsigned long long value) {
  while (value >= 0x80) {
    out->push_back(static_cast<char>((value & 0x7F) | 0x80));
    value >>= 7;
  }
  out->push_back(static_cast<char>(value));
}

void PutSigned(std::string* out, long long value) {
  const unsigned long long bits = static_cast<unsigned long long>(value);
  PutVarint(out, (bits << 1) ^ (value < 0 ? ~0ull : 0ull));
}

void PutText(std::string* out, const std::string& text) {
  const std::string kept = text.substr(0, kJournalMaxText);
  PutVarint(out, kept.size());
  out->append(kept);
}

/* Frame times are whole nanoseconds on most machines: as a count of them
 * each frame costs a byte or two instead of eight. */
bool AsTicks(double time, long long* ticks) {
  *ticks = std::llround(time / kSecondsPerTick);
  return static_cast<double>(*ticks) * kSecondsPerTick == time;
}

}  // namespace

JournalEncoder::JournalEncoder(const JournalHeader& header) : header_(header) {
  last_.digest.assign(header_.digestFields.size(), 0);
  headerBytes_.assign(kJournalMagic, kJournalMagicSize);
  PutVarint(&headerBytes_, kJournalVersion);
  PutText(&headerBytes_, header_.gameVersion);
  PutVarint(&headerBytes_, static_cast<unsigned>(header_.windowWidth));
  PutVarint(&headerBytes_, static_cast<unsigned>(header_.windowHeight));
  headerBytes_.push_back(header_.fullScreen ? 1 : 0);
  PutSigned(&headerBytes_, header_.startState);
  PutVarint(&headerBytes_, header_.digestFields.size());
  for (const JournalDigestField& field : header_.digestFields) {
    PutText(&headerBytes_, field.name);
    PutVarint(&headerBytes_, static_cast<unsigned>(field.every));
  }
}

void JournalEncoder::Keys(const JournalFrame& frame, unsigned char* flags, std::string* body) const {
  // Key 0 names no key; the reader refuses it.
  std::bitset<256> changed = frame.keys ^ last_.keys;
  changed.reset(0);
  if (changed.none()) return;
  *flags |= kJournalKeys;
  PutVarint(body, changed.count());
  for (int key = 1; key < 256; ++key)
    if (changed.test(key)) body->push_back(static_cast<char>(key));
}

void JournalEncoder::Cursor(const JournalFrame& frame, unsigned char* flags, std::string* body) const {
  const long long dx = static_cast<long long>(frame.cursorX) - last_.cursorX;
  const long long dy = static_cast<long long>(frame.cursorY) - last_.cursorY;
  if (dx != 0 || dy != 0) {
    *flags |= kJournalCursor;
    PutSigned(body, dx);
    PutSigned(body, dy);
  }
  const long long ex = frame.cursorDeltaX - dx;
  const long long ey = frame.cursorDeltaY - dy;
  if (ex != 0 || ey != 0) {
    *flags |= kJournalDelta;
    PutSigned(body, ex);
    PutSigned(body, ey);
  }
}

void JournalEncoder::Time(const JournalFrame& frame, unsigned char* flags, std::string* body) {
  if (frame.frameTime == last_.frameTime) return;
  long long ticks = 0;
  if (AsTicks(frame.frameTime, &ticks)) {
    *flags |= kJournalTicks;
    PutSigned(body, ticks - lastTicks_);
    lastTicks_ = ticks;
    return;
  }
  *flags |= kJournalTime;
  unsigned long long bits = 0;
  std::memcpy(&bits, &frame.frameTime, sizeof bits);
  for (int i = 0; i < 8; ++i) body->push_back(static_cast<char>(bits >> (8 * i)));
}

void JournalEncoder::Seeds(const JournalFrame& frame, unsigned char* flags, std::string* body) const {
  if (frame.seeds.empty()) return;
  *flags |= kJournalSeeds;
  PutVarint(body, frame.seeds.size());
  for (unsigned int seed : frame.seeds) PutVarint(body, seed);
}

void JournalEncoder::Digest(const JournalFrame& frame, unsigned char* flags, std::string* body) {
  std::string changes;
  unsigned count = 0;
  for (std::size_t i = 0; i < last_.digest.size(); ++i) {
    const long long value = i < frame.digest.size() ? frame.digest[i] : 0;
    if (!JournalFieldDue(header_.digestFields[i], frames_) || value == last_.digest[i]) continue;
    PutVarint(&changes, i);
    PutSigned(&changes, static_cast<long long>(static_cast<unsigned long long>(value) -
                                               static_cast<unsigned long long>(last_.digest[i])));
    last_.digest[i] = value;
    ++count;
  }
  if (count == 0) return;
  *flags |= kJournalDigest;
  PutVarint(body, count);
  body->append(changes);
}

std::string JournalEncoder::Frame(const JournalFrame& frame) {
  unsigned char flags = 0;
  std::string body;
  Keys(frame, &flags, &body);
  Cursor(frame, &flags, &body);
  Time(frame, &flags, &body);
  Seeds(frame, &flags, &body);
  Digest(frame, &flags, &body);
  std::vector<long long> digest = last_.digest;
  last_ = frame;
  last_.digest = digest;
  ++frames_;
  return std::string(1, static_cast<char>(flags)) + body;
}

std::string JournalEncoder::End() const {
  std::string bytes(1, static_cast<char>(kJournalEndTag));
  PutVarint(&bytes, static_cast<unsigned long long>(frames_));
  return bytes;
}
