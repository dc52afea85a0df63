#ifndef SORCA_JOURNAL_ENCODER_H
#define SORCA_JOURNAL_ENCODER_H
/*
 * Turns a journal's header and frames into their bytes (Journal.h). Each
 * frame is written as its changes from the frame before, so the encoder
 * keeps the last frame it encoded.
 */
#include <string>

#include "Journal.h"

class JournalEncoder {
 public:
  /* The header's bytes; the frames that follow carry its digest fields. */
  explicit JournalEncoder(const JournalHeader& header);

  const std::string& HeaderBytes() const { return headerBytes_; }
  /* The bytes of the next frame. Its digest has one value per field of the
   * header (missing ones count as 0); fields not due in this frame keep
   * their last encoded value. Frame times outside 0..kJournalMaxFrameTime
   * and clock seeds past kJournalMaxSeedsPerFrame cannot be encoded: the
   * caller keeps to them. */
  std::string Frame(const JournalFrame& frame);
  /* The end record, after the frames encoded so far. */
  std::string End() const;
  long long Frames() const { return frames_; }

 private:
  void Keys(const JournalFrame& frame, unsigned char* flags, std::string* body) const;
  void Cursor(const JournalFrame& frame, unsigned char* flags, std::string* body) const;
  void Time(const JournalFrame& frame, unsigned char* flags, std::string* body);
  void Seeds(const JournalFrame& frame, unsigned char* flags, std::string* body) const;
  void Digest(const JournalFrame& frame, unsigned char* flags, std::string* body);

  JournalHeader header_;
  std::string headerBytes_;
  JournalFrame last_;
  long long lastTicks_ = 0;
  long long frames_ = 0;
};

#endif
