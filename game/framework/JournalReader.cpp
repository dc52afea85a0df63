#include "JournalReader.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <utility>

namespace {

const double kSecondsPerTick = 1.0 / 1e9;
const long long kMaxTicks = 3600LL * 1000000000LL;
const unsigned kMaxFieldInterval = 1u << 16;
/* Bigger than any journal a session could write; a file past it is no journal. */
const std::size_t kMaxFileSize = std::size_t(1) << 28;

bool Printable(const std::string& text) {
  for (unsigned char c : text)
    if (c < 0x20 || c > 0x7E) return false;
  return true;
}

bool CursorInRange(long long v) { return v >= -kJournalMaxCursor && v <= kJournalMaxCursor; }
/* A movement or correction between two values in range; checked first, so the sums cannot overflow. */
bool StepInRange(long long v) { return v >= -4LL * kJournalMaxCursor && v <= 4LL * kJournalMaxCursor; }

}  // namespace

JournalReader::JournalReader(std::string bytes) : bytes_(std::move(bytes)) {}

JournalReader::Read JournalReader::Byte(unsigned char* value) {
  if (at_ >= bytes_.size()) return kShort;
  *value = static_cast<unsigned char>(bytes_[at_++]);
  return kOk;
}

JournalReader::Read JournalReader::Varint(unsigned long long* value) {
  *value = 0;
  for (int shift = 0; shift < 64; shift += 7) {
    unsigned char b = 0;
    if (Byte(&b) != kOk) return kShort;
    // The tenth byte holds the top bit only; anything more is no 64-bit number.
    if (shift == 63 && b > 1) return kWrong;
    *value |= static_cast<unsigned long long>(b & 0x7F) << shift;
    if ((b & 0x80) == 0) return kOk;
  }
  return kWrong;
}

JournalReader::Read JournalReader::Signed(long long* value) {
  unsigned long long raw = 0;
  const Read r = Varint(&raw);
  if (r != kOk) return r;
  const unsigned long long magnitude = raw >> 1;
  *value = (raw & 1) ? static_cast<long long>(~magnitude) : static_cast<long long>(magnitude);
  return kOk;
}

JournalReader::Read JournalReader::Bounded(unsigned long long max, unsigned long long* value) {
  const Read r = Varint(value);
  if (r != kOk) return r;
  return *value <= max ? kOk : kWrong;
}

JournalReader::Read JournalReader::Text(std::string* text) {
  unsigned long long length = 0;
  const Read r = Bounded(kJournalMaxText, &length);
  if (r != kOk) return r;
  if (bytes_.size() - at_ < length) return kShort;
  *text = bytes_.substr(at_, length);
  at_ += length;
  return Printable(*text) ? kOk : kWrong;
}

JournalReader::Read JournalReader::HeaderFields(JournalHeader* header, std::string* what) {
  unsigned long long width = 0, height = 0, count = 0;
  unsigned char full = 0;
  long long start = 0;
  Read r;
  *what = "the game version";
  if ((r = Text(&header->gameVersion)) != kOk) return r;
  *what = "the window size";
  if ((r = Bounded(kJournalMaxWindowSide, &width)) != kOk) return r;
  if ((r = Bounded(kJournalMaxWindowSide, &height)) != kOk) return r;
  if (width == 0 || height == 0) return kWrong;
  *what = "the full-screen flag";
  if ((r = Byte(&full)) != kOk) return r;
  if (full > 1) return kWrong;
  *what = "the start state";
  if ((r = Signed(&start)) != kOk) return r;
  if (start < -2147483647LL - 1 || start > 2147483647LL) return kWrong;
  *what = "the digest fields";
  if ((r = Bounded(kJournalMaxDigestFields, &count)) != kOk) return r;
  header->digestFields.clear();
  for (unsigned long long i = 0; i < count; ++i) {
    JournalDigestField field;
    unsigned long long every = 0;
    if ((r = Text(&field.name)) != kOk) return r;
    if ((r = Bounded(kMaxFieldInterval, &every)) != kOk) return r;
    if (field.name.empty() || every == 0) return kWrong;
    field.every = static_cast<int>(every);
    header->digestFields.push_back(field);
  }
  header->windowWidth = static_cast<int>(width);
  header->windowHeight = static_cast<int>(height);
  header->fullScreen = full != 0;
  header->startState = static_cast<int>(start);
  return kOk;
}

bool JournalReader::ReadHeader(JournalHeader* header, std::string* error) {
  if (bytes_.empty()) {
    *error = "the file is empty";
    return false;
  }
  const std::size_t magicSize = kJournalMagicSize;
  if (bytes_.size() < magicSize || std::memcmp(bytes_.data(), kJournalMagic, magicSize) != 0) {
    *error = "it is not a Sorca journal";
    return false;
  }
  at_ = magicSize;
  unsigned long long version = 0;
  const Read versionRead = Varint(&version);
  if (versionRead == kOk && version != static_cast<unsigned long long>(kJournalVersion)) {
    *error = "it is a journal of version " + std::to_string(version) + "; this Sorca reads version " +
             std::to_string(kJournalVersion);
    return false;
  }
  std::string what = "the version";
  const Read r = versionRead != kOk ? versionRead : HeaderFields(header, &what);
  if (r == kShort) *error = "its header is cut off (at " + what + ")";
  if (r == kWrong) *error = "its header is damaged (" + what + ")";
  if (r != kOk) return false;
  fields_ = header->digestFields.size();
  fieldList_ = header->digestFields;
  last_ = JournalFrame();
  last_.digest.assign(fields_, 0);
  headerRead_ = true;
  return true;
}

JournalReader::Read JournalReader::Keys(JournalFrame* frame, std::string* what) {
  *what = "the keys";
  unsigned long long count = 0;
  Read r = Bounded(255, &count);
  if (r != kOk) return r;
  if (count == 0) return kWrong;
  int previous = 0;
  for (unsigned long long i = 0; i < count; ++i) {
    unsigned char key = 0;
    if ((r = Byte(&key)) != kOk) return r;
    // Ascending and never 0, which names no key: each code appears once.
    if (key <= previous) return kWrong;
    previous = key;
    frame->keys.flip(key);
  }
  return kOk;
}

JournalReader::Read JournalReader::Cursor(JournalFrame* frame, std::string* what) {
  *what = "the cursor";
  return PointChange(&frame->cursorX, &frame->cursorY);
}

JournalReader::Read JournalReader::Delta(JournalFrame* frame, std::string* what) {
  *what = "the cursor delta";
  return PointChange(&frame->cursorDeltaX, &frame->cursorDeltaY);
}

/* Two signed changes to a point, each a step in range that keeps it in range. */
JournalReader::Read JournalReader::PointChange(int* x, int* y) {
  long long dx = 0, dy = 0;
  Read r;
  if ((r = Signed(&dx)) != kOk || (r = Signed(&dy)) != kOk) return r;
  if (!StepInRange(dx) || !StepInRange(dy)) return kWrong;
  const long long newX = *x + dx, newY = *y + dy;
  if (!CursorInRange(newX) || !CursorInRange(newY)) return kWrong;
  *x = static_cast<int>(newX);
  *y = static_cast<int>(newY);
  return kOk;
}

JournalReader::Read JournalReader::Ticks(JournalFrame* frame, std::string* what) {
  *what = "the frame time";
  long long change = 0;
  const Read r = Signed(&change);
  if (r != kOk) return r;
  if (change < -kMaxTicks || change > kMaxTicks) return kWrong;
  const long long ticks = lastTicks_ + change;
  if (ticks < 0 || ticks > kMaxTicks) return kWrong;
  lastTicks_ = ticks;
  frame->frameTime = static_cast<double>(ticks) * kSecondsPerTick;
  return kOk;
}

JournalReader::Read JournalReader::Time(JournalFrame* frame, std::string* what) {
  *what = "the frame time";
  unsigned long long bits = 0;
  for (int i = 0; i < 8; ++i) {
    unsigned char b = 0;
    if (Byte(&b) != kOk) return kShort;
    bits |= static_cast<unsigned long long>(b) << (8 * i);
  }
  double time = 0.0;
  std::memcpy(&time, &bits, sizeof time);
  if (!(time >= 0.0 && time <= kJournalMaxFrameTime)) return kWrong;
  frame->frameTime = time;
  return kOk;
}

JournalReader::Read JournalReader::Seeds(JournalFrame* frame, std::string* what) {
  *what = "the clock seeds";
  unsigned long long count = 0;
  Read r = Bounded(kJournalMaxSeedsPerFrame, &count);
  if (r != kOk) return r;
  if (count == 0) return kWrong;
  for (unsigned long long i = 0; i < count; ++i) {
    unsigned long long seed = 0;
    if ((r = Bounded(0xFFFFFFFFull, &seed)) != kOk) return r;
    frame->seeds.push_back(static_cast<unsigned int>(seed));
  }
  return kOk;
}

JournalReader::Read JournalReader::Digest(JournalFrame* frame, std::string* what) {
  *what = "the state digest";
  unsigned long long count = 0;
  Read r = Bounded(fields_, &count);
  if (r != kOk) return r;
  if (count == 0) return kWrong;
  long long previous = -1;
  for (unsigned long long i = 0; i < count; ++i) {
    unsigned long long index = 0;
    long long change = 0;
    if ((r = Bounded(fields_ - 1, &index)) != kOk) return r;
    // Ascending, and only fields due in this frame: one way to write each digest.
    if (static_cast<long long>(index) <= previous || !JournalFieldDue(fieldList_[index], frames_)) return kWrong;
    previous = static_cast<long long>(index);
    if ((r = Signed(&change)) != kOk) return r;
    // Values wrap like the unsigned numbers they are stored as.
    long long& value = frame->digest[index];
    value = static_cast<long long>(static_cast<unsigned long long>(value) +
                                   static_cast<unsigned long long>(change));
  }
  return kOk;
}

JournalReader::Read JournalReader::FrameRecord(unsigned char flags, JournalFrame* frame,
                                               std::string* what) {
  *frame = last_;
  frame->seeds.clear();
  *what = "two kinds of frame time";
  if ((flags & kJournalTicks) && (flags & kJournalTime)) return kWrong;
  Read r = kOk;
  if (flags & kJournalKeys) r = Keys(frame, what);
  if (r == kOk && (flags & kJournalCursor)) r = Cursor(frame, what);
  // Unless told otherwise the reported delta is the movement itself.
  if (r == kOk) {
    frame->cursorDeltaX = frame->cursorX - last_.cursorX;
    frame->cursorDeltaY = frame->cursorY - last_.cursorY;
  }
  if (r == kOk && (flags & kJournalDelta)) r = Delta(frame, what);
  if (r == kOk && (flags & kJournalTicks)) r = Ticks(frame, what);
  if (r == kOk && (flags & kJournalTime)) r = Time(frame, what);
  if (r == kOk && (flags & kJournalSeeds)) r = Seeds(frame, what);
  if (r == kOk && (flags & kJournalDigest)) r = Digest(frame, what);
  return r;
}

JournalReader::Read JournalReader::EndRecord(std::string* what) {
  *what = "the frame count of the end record";
  unsigned long long frames = 0;
  const Read r = Varint(&frames);
  if (r != kOk) return r;
  if (frames != static_cast<unsigned long long>(frames_)) return kWrong;
  *what = "bytes follow the end record";
  return at_ == bytes_.size() ? kOk : kWrong;
}

JournalReader::Step JournalReader::Stop(Step step, std::string* error, const std::string& reason) {
  stopped_ = step;
  stopReason_ = reason;
  if (error) *error = reason;
  return step;
}

std::string JournalReader::CutReason(bool insideRecord) const {
  const std::string last = std::to_string(frames_);
  if (frames_ == 0) return insideRecord ? "it stops inside its first frame" : "it stops before its first frame";
  if (insideRecord) return "it stops after frame " + last + ", inside the record of the next";
  return "it stops after frame " + last + " without its end record";
}

JournalReader::Step JournalReader::Next(JournalFrame* frame, std::string* error) {
  if (!headerRead_) return Stop(kBad, error, "its header has not been read");
  if (stopped_ != kFrame) {
    if (error) *error = stopReason_;
    return stopped_;
  }
  const std::size_t start = at_;
  unsigned char tag = 0;
  if (Byte(&tag) != kOk) return Stop(kCut, error, CutReason(false));
  std::string what;
  Read r;
  if (tag == kJournalEndTag) {
    r = EndRecord(&what);
  } else if (tag & 0x80) {
    what = "an unknown record type";
    r = kWrong;
  } else {
    r = FrameRecord(tag, frame, &what);
  }
  if (r == kShort) return Stop(kCut, error, CutReason(true));
  if (r == kWrong)
    return Stop(kBad, error, "the record after frame " + std::to_string(frames_) + " (byte " +
                                 std::to_string(start) + ") is damaged: " + what);
  if (tag == kJournalEndTag) return Stop(kEnd, error, "");
  last_ = *frame;
  ++frames_;
  return kFrame;
}

bool JournalReader::Check(const std::string& bytes, JournalHeader* header, Summary* summary,
                          std::string* error) {
  JournalReader reader(bytes);
  if (!reader.ReadHeader(header, error)) return false;
  JournalFrame frame;
  std::string reason;
  Step step;
  while ((step = reader.Next(&frame, &reason)) == kFrame) {
  }
  if (step == kBad) {
    *error = reason;
    return false;
  }
  summary->frames = reader.FramesRead();
  summary->ended = step == kEnd;
  summary->cutReason = step == kCut ? reason : "";
  return true;
}

bool JournalReader::ReadFile(const std::string& path, std::string* bytes, std::string* error) {
  struct stat status;
  if (::stat(path.c_str(), &status) != 0) {
    *error = errno == ENOENT ? "there is no such file" : std::strerror(errno);
    return false;
  }
  if (!S_ISREG(status.st_mode)) {
    *error = S_ISDIR(status.st_mode) ? "it is a directory" : "it is not a regular file";
    return false;
  }
  if (static_cast<unsigned long long>(status.st_size) > kMaxFileSize) {
    *error = "it is too large to be a Sorca journal";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) {
    *error = std::strerror(errno);
    return false;
  }
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    *error = "it cannot be read";
    return false;
  }
  return true;
}
