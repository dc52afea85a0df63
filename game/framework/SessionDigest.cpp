#include "SessionDigest.h"

#include <memory>

static std::vector<JournalDigestField> digestFields;
static SessionDigestReader digestReader = nullptr;

void SessionSetDigest(const std::vector<JournalDigestField>& fields, SessionDigestReader reader) {
  digestFields = fields;
  digestReader = reader;
}

const std::vector<JournalDigestField>& SessionDigestFields() { return digestFields; }

std::vector<long long> SessionDigestNow(long long frame) {
  std::vector<long long> values(digestFields.size(), 0);
  if (digestReader == nullptr || values.empty()) return values;
  std::unique_ptr<bool[]> due(new bool[values.size()]);
  for (std::size_t i = 0; i < values.size(); ++i) due[i] = JournalFieldDue(digestFields[i], frame);
  digestReader(values.data(), due.get());
  return values;
}
