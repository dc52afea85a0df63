#ifndef SORCA_JOURNAL_READER_H
#define SORCA_JOURNAL_READER_H
/*
 * Turns the bytes of a journal (Journal.h) into its header and frames, or
 * into a reason why it cannot be read. Any bytes at all are safe to give it.
 */
#include <cstddef>
#include <string>
#include <vector>

#include "Journal.h"

class JournalReader {
 public:
  enum Step {
    kFrame,  /* a frame was read */
    kEnd,    /* the end record: the session ended normally */
    kCut,    /* the bytes stop before the end record; a record cut off is dropped */
    kBad,    /* something that is no journal record */
  };

  /* What a whole journal holds, read from start to end. */
  struct Summary {
    long long frames = 0;
    bool ended = false;       /* has its end record */
    std::string cutReason;    /* where it stops, when it has none */
  };

  explicit JournalReader(std::string bytes);

  /* Reads the header. False, with the reason, when there is none to read. */
  bool ReadHeader(JournalHeader* header, std::string* error);
  /* Reads the next record after the header; see Step. After kEnd, kCut or
   * kBad it keeps answering the same. */
  Step Next(JournalFrame* frame, std::string* error);
  long long FramesRead() const { return frames_; }

  /* Reads a whole journal: false, with the reason, for one that is bad
   * anywhere. A journal cut short is good up to its last whole frame. */
  static bool Check(const std::string& bytes, JournalHeader* header, Summary* summary,
                    std::string* error);
  /* The bytes of the file at path; false with the reason when it cannot be read. */
  static bool ReadFile(const std::string& path, std::string* bytes, std::string* error);

 private:
  enum Read { kOk, kShort, kWrong };
  Read Byte(unsigned char* value);
  Read Varint(unsigned long long* value);
  Read Signed(long long* value);
  Read Bounded(unsigned long long max, unsigned long long* value);
  Read Text(std::string* text);
  Read HeaderFields(JournalHeader* header, std::string* what);
  Read Keys(JournalFrame* frame, std::string* what);
  Read Cursor(JournalFrame* frame, std::string* what);
  Read Delta(JournalFrame* frame, std::string* what);
  Read PointChange(int* x, int* y);
  Read Ticks(JournalFrame* frame, std::string* what);
  Read Time(JournalFrame* frame, std::string* what);
  Read Seeds(JournalFrame* frame, std::string* what);
  Read Digest(JournalFrame* frame, std::string* what);
  Read FrameRecord(unsigned char flags, JournalFrame* frame, std::string* what);
  Read EndRecord(std::string* what);
  Step Stop(Step step, std::string* error, const std::string& reason);
  std::string CutReason(bool insideRecord) const;

  std::string bytes_;
  std::size_t at_ = 0;
  std::size_t fields_ = 0;
  std::vector<JournalDigestField> fieldList_;
  JournalFrame last_;
  long long lastTicks_ = 0;
  long long frames_ = 0;
  bool headerRead_ = false;
  Step stopped_ = kFrame;
  std::string stopReason_;
};

#endif
