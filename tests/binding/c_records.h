// C records held as a C program holds them: raw memory (filled with a junk
// pattern first, so that nothing can pass for a default) given its defaults
// by the library's _initialize and released by its _finalize.
#ifndef QUILLMARC_TESTS_BINDING_C_RECORDS_H
#define QUILLMARC_TESTS_BINDING_C_RECORDS_H

#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include "quillmarc/dds_c.h"

template <class R, void (*Initialize)(R*), void (*Finalize)(R*)>
class CRecord {
 public:
  CRecord() {
    std::memset(&storage_, 0xA5, sizeof storage_);
    Initialize(get());
  }
  ~CRecord() { Finalize(get()); }
  CRecord(const CRecord&) = delete;
  CRecord& operator=(const CRecord&) = delete;
  R* get() { return reinterpret_cast<R*>(&storage_); }
  R* operator->() { return get(); }
  R& operator*() { return *get(); }

 private:
  std::aligned_storage_t<sizeof(R), alignof(R)> storage_;
};

#define QUILLMARC_C_RECORD(Alias, Record) using Alias = CRecord<Record, Record##_initialize, Record##_finalize>;
QUILLMARC_C_RECORD(CParticipantQos, DDS_DomainParticipantQos)
QUILLMARC_C_RECORD(CPublisherQos, DDS_PublisherQos)
QUILLMARC_C_RECORD(CSubscriberQos, DDS_SubscriberQos)
QUILLMARC_C_RECORD(CTopicQos, DDS_TopicQos)
QUILLMARC_C_RECORD(CWriterQos, DDS_DataWriterQos)
QUILLMARC_C_RECORD(CReaderQos, DDS_DataReaderQos)
QUILLMARC_C_RECORD(CParticipantData, DDS_ParticipantBuiltinTopicData)
QUILLMARC_C_RECORD(CTopicData, DDS_TopicBuiltinTopicData)
QUILLMARC_C_RECORD(CPublicationData, DDS_PublicationBuiltinTopicData)
QUILLMARC_C_RECORD(CSubscriptionData, DDS_SubscriptionBuiltinTopicData)
#undef QUILLMARC_C_RECORD

// The bytes or names a C sequence holds.
inline std::vector<unsigned char>& bytes(DDS_UCharSequence& s) { return s; }
inline std::vector<std::string> names(DDS_CStringSequence& s) {
  std::vector<std::string> out;
  for (DDS_CString const& n : static_cast<std::vector<DDS_CString>&>(s)) out.push_back(n);
  return out;
}
inline void set_names(DDS_CStringSequence& s, std::vector<std::string> const& from) {
  std::vector<DDS_CString>& v = s;
  v.assign(from.begin(), from.end());
}

// A byte written into a core bool as it is, and read back as a byte.
inline void set_byte(bool& b, unsigned char byte) { std::memcpy(&b, &byte, 1); }
inline unsigned char byte_of(const bool& b) {
  unsigned char byte;
  std::memcpy(&byte, &b, 1);
  return byte;
}

inline DDS_InstanceHandle_t c_handle(unsigned char fill, DDS_Boolean valid) {
  DDS_InstanceHandle_t h;
  std::memset(h.value, fill, sizeof h.value);
  h.valid = valid;
  return h;
}

#endif
