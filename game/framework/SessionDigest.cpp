#include "SessionDigest.h"

static std::vector<JournalDigestField> digestFields;
static SessionDigestReader digestReader = nullptr;

void SessionSetDigest(const std::vector<JournalDigestField>& fields, SessionDigestReader reader) {
  digestFields = fields;
  digestReader = reader;
}

const std::vector<JournalDigestField>& SessionDigestFields() { return digestFields; }

std::vector<long long> SessionDigestNow() {
  std::vector<long long> values(digestFields.size(), 0);
  if (digestReader != nullptr && !values.empty()) digestReader(values.data());
  return values;
}
